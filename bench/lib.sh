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
