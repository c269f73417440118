# Helpers shared by the benchmark scripts; source it after tests/e2e/lib.sh.

# cpu_ticks PID: user plus system time of a process so far, in clock ticks.
cpu_ticks() {
  local stat
  stat=$(<"/proc/$1/stat")
  stat=${stat##*) }  # fields after the command name, starting with the state (field 3)
  read -r -a fields <<<"$stat"
  echo $((fields[11] + fields[12]))  # fields 14 (utime) and 15 (stime)
}

# wait_for_rest SECONDS: returns once no balloon window has been in view for SECONDS.
wait_for_rest() {
  local quiet_since=$SECONDS deadline=$((SECONDS + 180))
  while [ $((SECONDS - quiet_since)) -lt "$1" ]; do
    [ "$SECONDS" -lt "$deadline" ] || e2e_abort "the scene did not come to rest within 180 s"
    [ -n "$(e2e_find_windows ' (says|thinks): ')" ] && quiet_since=$SECONDS
    sleep 0.5
  done
}

# cpu_share_over PID SECONDS: the share of one core (in per cent) that a process uses over the
# next SECONDS.
cpu_share_over() {
  local before after
  before=$(cpu_ticks "$1")
  sleep "$2"
  after=$(cpu_ticks "$1")
  awk -v used="$((after - before))" -v hz="$(getconf CLK_TCK)" -v secs="$2" \
    'BEGIN {printf "%.2f\n", 100 * used / hz / secs}'
}

# syscalls_over PID SECONDS: the system calls of all the process's threads over the next SECONDS,
# traced with strace: "<calls a second> <name>=<calls a second> ..." for the most frequent three.
# Tracing slows every call, so the rates are those of a program that reacts to timers and events,
# not of one that computes.
syscalls_over() {
  local summary tracer started status
  summary=$(mktemp "${TMPDIR:-/tmp}/syscalls.XXXXXX")
  started=${EPOCHREALTIME/./}
  strace -f -c -q -p "$1" -o "$summary" &
  tracer=$!
  sleep "$2"
  kill -INT "$tracer"
  wait "$tracer" 2>/dev/null
  awk -v micros="$((${EPOCHREALTIME/./} - started))" '
    /^------/ {table++; next}
    table == 1 {calls[$NF] = $4; total += $4}
    END {
      if (table < 2) exit 1
      seconds = micros / 1e6
      line = sprintf("%.0f", total / seconds)
      for (shown = 0; shown < 3 && length(calls) > 0; shown++) {
        top = ""
        for (name in calls) if (top == "" || calls[name] > calls[top]) top = name
        line = line sprintf(" %s=%.0f", top, calls[top] / seconds)
        delete calls[top]
      }
      print line
    }' "$summary"
  status=$?
  rm -f "$summary"
  return $status
}

# peak_resident_mib PID: the most memory the process has held resident so far (VmHWM), in MiB.
peak_resident_mib() {
  awk '/^VmHWM:/ {printf "%.1f\n", $2 / 1024; found = 1} END {exit !found}' "/proc/$1/status"
}

# median_and_range: reads numbers, one a line; prints "<median> <lowest> <highest>".
median_and_range() {
  sort -n | awk '{v[NR] = $1} END {
    if (NR == 0) exit 1
    print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2, v[1], v[NR]
  }'
}
