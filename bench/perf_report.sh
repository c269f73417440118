#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The performance report: chengmu beside the minimal bar (bench/minimal_bar, the same bar and
# nothing else), measured in one run, alternating the two, under an Xvfb of its own and with no
# sound server reachable. Prints one table with the goals:
#  - exec -> bar mapped: from starting the program until the X server maps its bar, median and
#    range of STARTS starts each;
#  - peak resident memory (VmHWM) at the end of a run that has played the opening scene;
#  - CPU at rest: share of one core once the scene is over and the bar rolled up;
#  - system calls a second at rest (strace of all threads);
#  - speech start: play() to the first audio frame leaving the mixer, through a PulseAudio null
#    sink (bench/speech/run_speech_bench.sh latency);
#  - the practice features once used: resident memory a minute after a drill, a review and the
#    progress window (bench/practice_memory.sh).
# It fails only when it cannot measure; goals that are not met are reported, not failed.
#
# Usage: bench/perf_report.sh [--quick] [BUILD_DIR]   (BUILD_DIR defaults to build; the programs'
# output is left in BUILD_DIR/perf-logs)
#   --quick: one start each and 3 s at rest, to check that everything can be measured; the
#   practice features' row is left out (its run takes three minutes; the end-to-end tests of the
#   drill and the review drive the same steps).
set -u

quick=false
if [ "${1:-}" = --quick ]; then
  quick=true
  shift
fi
SOURCE_DIR=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(cd "${1:-$SOURCE_DIR/build}" && pwd) || exit 1
# The programs' output and the map log stay here after the run, to look into.
E2E_LOG_DIR=$BUILD_DIR/perf-logs
rm -rf "$E2E_LOG_DIR" && mkdir -p "$E2E_LOG_DIR"
. "$SOURCE_DIR/tests/e2e/lib.sh"
. "$SOURCE_DIR/bench/lib.sh"

if $quick; then
  STARTS=1 REST_SECONDS=3 SYSCALL_SECONDS=1
else
  STARTS=7 REST_SECONDS=30 SYSCALL_SECONDS=5 PRACTICE_REST_SECONDS=60
fi
QUIET_SECONDS=5
BAR_TITLE=Form1
MINIMAL_TITLE="minimal bar"

e2e_require_program "$BUILD_DIR"
MINIMAL=$BUILD_DIR/bin/minimal_bar
[ -x "$MINIMAL" ] || e2e_abort "$MINIMAL is missing: build the target minimal_bar"
for tool in xev strace; do
  command -v "$tool" >/dev/null || e2e_abort "$tool is needed: run tools/setup.sh"
done

# No sound server: the program finds none, as on a machine without one.
export PULSE_SERVER=unix:$E2E_LOG_DIR/no-sound-server

e2e_start_xvfb 1024x768x24
xdotool mousemove 600 400

# Every window the X server maps, stamped with the time its MapNotify arrived (microseconds).
# xev blocks on the X connection, so the stamp is not delayed by any polling. The log is written
# in append mode, so it can be emptied between starts.
map_log=$E2E_LOG_DIR/maps.log
: >"$map_log"
stdbuf -oL xev -root -event substructure > >(
  while IFS= read -r line; do
    [[ $line =~ window\ (0x[0-9a-f]+),\ override ]] && echo "${EPOCHREALTIME/./} ${BASH_REMATCH[1]}"
  done >>"$map_log"
) &
E2E_PIDS+=("$!")
sleep 0.5

# start_in_data PROGRAM: starts PROGRAM in the background from data/, where a learner starts it;
# sets started_pid.
start_in_data() {
  (cd "$SOURCE_DIR/data" && exec "$1") >>"$E2E_LOG_DIR/$(basename "$1").out" \
    2>>"$E2E_LOG_DIR/$(basename "$1").err" &
  started_pid=$!
}

# stop PID: ends a program started here and waits for it.
stop() {
  kill -TERM "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}

# map_stamp TITLE PID: waits until a window titled TITLE is mapped and prints when it was, from
# the map log; fails when PID ends first or after 30 s.
map_stamp() {
  local checked=0 stamp wid deadline=$((SECONDS + 30))
  while [ "$SECONDS" -lt "$deadline" ] && kill -0 "$2" 2>/dev/null; do
    while read -r stamp wid; do
      checked=$((checked + 1))
      [ "$(xdotool getwindowname "$wid" 2>/dev/null)" = "$1" ] && echo "$stamp" && return 0
    done < <(tail -n +"$((checked + 1))" "$map_log")
    sleep 0.05
  done
  return 1
}

# start_to_map PROGRAM TITLE: sets start_ms to the milliseconds from starting PROGRAM until its
# window TITLE is mapped.
start_to_map() {
  local started stamp
  : >"$map_log"
  started=${EPOCHREALTIME/./}
  start_in_data "$1"
  stamp=$(map_stamp "$2" "$started_pid")
  stop "$started_pid"
  [ -n "$stamp" ] || e2e_abort "$(basename "$1") never mapped its window \"$2\""
  start_ms=$(((stamp - started) / 1000))
}

# at_rest PID: measures a program at rest into rest_cpu (% of a core), rest_calls (system calls a
# second), rest_top_calls (the most frequent three) and, last, at the end of the run, rest_peak
# (MiB).
at_rest() {
  local calls
  rest_cpu=$(cpu_share_over "$1" "$REST_SECONDS")
  calls=$(syscalls_over "$1" "$SYSCALL_SECONDS") || e2e_abort "strace could not trace pid $1"
  read -r rest_calls rest_top_calls <<<"$calls"
  e2e_alive "$1" || e2e_abort "pid $1 ended while measured"
  rest_peak=$(peak_resident_mib "$1")
}

# chengmu_at_rest: starts chengmu, lets the opening scene play out with the pointer away, so the
# bar rolls up, then measures it at rest.
chengmu_at_rest() {
  local pid bar height deadline
  start_in_data "$PROGRAM"
  pid=$started_pid
  E2E_PIDS+=("$pid")
  bar=$(e2e_wait_window "^$BAR_TITLE\$" 30) || e2e_abort "the bar never appeared"
  e2e_wait_window '^girl$' 120 >/dev/null || e2e_abort "the girl never came into view"
  wait_for_rest "$QUIET_SECONDS"
  deadline=$((SECONDS + 10))
  until read -r _ _ _ height < <(e2e_window_geometry "$bar") && [ "$height" -le 2 ]; do
    [ "$SECONDS" -lt "$deadline" ] || e2e_abort "the bar did not roll up (height $height)"
    sleep 0.5
  done
  at_rest "$pid"
  stop "$pid"
}

# minimal_at_rest: starts the minimal bar and measures it at rest once it has settled.
minimal_at_rest() {
  local pid
  start_in_data "$MINIMAL"
  pid=$started_pid
  E2E_PIDS+=("$pid")
  e2e_wait_window "^$MINIMAL_TITLE\$" 30 >/dev/null || e2e_abort "the minimal bar never appeared"
  sleep "$QUIET_SECONDS"
  at_rest "$pid"
  stop "$pid"
}

# speech_start: sets speech_median, speech_p90 and speech_max (ms), measured through a sound
# server of the speech benchmark's own.
speech_start() {
  local output
  output=$("$SOURCE_DIR/bench/speech/run_speech_bench.sh" "$BUILD_DIR" latency \
    2>>"$E2E_LOG_DIR/speech.err") ||
    e2e_abort "the speech benchmark failed: $(tail -n 3 "$E2E_LOG_DIR/speech.err")"
  grep -q '^output: sound server' <<<"$output" ||
    e2e_abort "speech start needs pulseaudio (run tools/setup.sh): $output"
  local figures='^play\(\) to first frame mixed, ms: median ([0-9.]+), 90% ([0-9.]+), max ([0-9.]+)'
  read -r speech_median speech_p90 speech_max < <(sed -En "s/$figures.*/\\1 \\2 \\3/p" <<<"$output")
}

# measure_starts: starts the two programs in turn, STARTS times each, into bar_times and
# minimal_times (ms).
measure_starts() {
  bar_times=() minimal_times=()
  for _ in $(seq "$STARTS"); do
    start_to_map "$PROGRAM" "$BAR_TITLE"
    bar_times+=("$start_ms")
    start_to_map "$MINIMAL" "$MINIMAL_TITLE"
    minimal_times+=("$start_ms")
  done
  read -r bar_start bar_start_low bar_start_high < <(printf '%s\n' "${bar_times[@]}" |
    median_and_range)
  read -r minimal_start minimal_start_low minimal_start_high < <(printf '%s\n' \
    "${minimal_times[@]}" | median_and_range)
}

# practice_use: sets practice_resident (MiB), chengmu's resident memory at rest after a drill, a
# review and the progress window, PRACTICE_REST_SECONDS (60 in a full run) after they closed.
practice_use() {
  local output
  output=$(PRACTICE_REST_SECONDS=$PRACTICE_REST_SECONDS "$SOURCE_DIR/bench/practice_memory.sh" \
    "$BUILD_DIR" 2>>"$E2E_LOG_DIR/practice.err") ||
    e2e_abort "the practice run failed: $(tail -n 3 "$E2E_LOG_DIR/practice.err")"
  practice_resident=$(sed -En 's/^practice: resident ([0-9.]+) MiB.*/\1/p' <<<"$output")
}

# practice_row: the table's row for the practice features.
practice_row() {
  local practice_ratio
  [[ $practice_resident =~ ^[0-9]+(\.[0-9]+)?$ ]] || e2e_abort "practice_resident was not measured"
  practice_ratio=$(ratio "$practice_resident" "$minimal_peak")
  row "resident memory $PRACTICE_REST_SECONDS s after a drill, a review and the progress window" \
    "$practice_resident MiB" "($minimal_peak MiB at its peak)" "≤ 1.75× the minimal bar" \
    "$(met "$practice_ratio <= 1.75") (${practice_ratio}×)"
}

# check_measured: aborts unless every figure of the table is a number.
check_measured() {
  local figure
  for figure in bar_start minimal_start bar_cpu bar_peak bar_calls minimal_cpu minimal_peak \
    minimal_calls speech_median speech_p90 speech_max; do
    [[ ${!figure:-} =~ ^[0-9]+(\.[0-9]+)?$ ]] || e2e_abort "$figure was not measured"
  done
}

# load_now: the machine's load average over the last minute; other work makes every figure noisy.
load_now() { cut -d ' ' -f 1 /proc/loadavg; }

# met CONDITION: "yes" or "no", as awk reads the condition.
met() { awk "BEGIN {print ($1) ? \"yes\" : \"no\"}"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }

# row CELL...: one row of the table.
row() { printf '| %s ' "$@" && echo '|'; }

print_table() {
  local start_ratio peak_ratio cpu_above practice_ratio
  start_ratio=$(ratio "$bar_start" "$minimal_start")
  peak_ratio=$(ratio "$bar_peak" "$minimal_peak")
  cpu_above=$(awk -v a="$bar_cpu" -v b="$minimal_cpu" 'BEGIN {printf "%+.2f", a - b}')
  echo
  $quick && echo "Quick run ($STARTS start each, $REST_SECONDS s at rest): the figures only" \
    "show that all can be measured."
  row figure chengmu "minimal bar" goal "met?"
  row --- --- --- --- ---
  row "exec → bar mapped, median (range) of $STARTS" \
    "$bar_start ms ($bar_start_low–$bar_start_high)" \
    "$minimal_start ms ($minimal_start_low–$minimal_start_high)" \
    "≤ 1.25× the minimal bar" "$(met "$start_ratio <= 1.25") (${start_ratio}×)"
  row "peak resident memory" "$bar_peak MiB" "$minimal_peak MiB" "≤ 1.5× the minimal bar" \
    "$(met "$peak_ratio <= 1.5") (${peak_ratio}×)"
  row "CPU at rest over $REST_SECONDS s" "$bar_cpu% of a core" "$minimal_cpu% of a core" \
    "≤ the minimal bar's + 0.05 points" "$(met "$cpu_above <= 0.05") ($cpu_above)"
  row "system calls at rest, a second" "$bar_calls" "$minimal_calls" — —
  row "speech start (play → first frame mixed), median / 90% / max" \
    "$speech_median / $speech_p90 / $speech_max ms" — "90% ≤ 20 ms, max ≤ 30 ms" \
    "$(met "$speech_p90 <= 20 && $speech_max <= 30")"
  $quick || practice_row
  echo
  echo "starts, ms: chengmu ${bar_times[*]}; minimal bar ${minimal_times[*]}"
  echo "most frequent system calls a second: chengmu $bar_top_calls; minimal bar $minimal_top_calls"
  echo "load average (1 min) of the machine at the start and the end: $load_at_start, $(load_now)"
}

load_at_start=$(load_now)
e2e_log "start-up: $STARTS start(s) of each, alternating"
measure_starts
e2e_log "at rest: chengmu (after its opening scene), then the minimal bar"
chengmu_at_rest
bar_cpu=$rest_cpu bar_peak=$rest_peak bar_calls=$rest_calls bar_top_calls=$rest_top_calls
minimal_at_rest
minimal_cpu=$rest_cpu minimal_peak=$rest_peak minimal_calls=$rest_calls
minimal_top_calls=$rest_top_calls
e2e_log "speech start"
speech_start
if ! $quick; then
  e2e_log "the practice features: a drill, a review and the progress window, then at rest"
  practice_use
fi
check_measured
print_table
