#!/usr/bin/env bash
# Start-up and idle cost of the toolbar, under its own Xvfb:
#  1. time from process start until the bar "Form1" is mapped, median of RUNS runs, beside the
#     same for a minimal Qt Widgets program (one empty window), and their ratio;
#  2. CPU share of one core over 30 s once the opening scene is over and the bar is rolled up;
#  3. peak resident memory of the program at that point.
# Usage: bench/toolbar_startup.sh [BUILD_DIR] [RUNS]   (defaults: build, 7)
set -u

SOURCE_DIR=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(cd "${1:-$SOURCE_DIR/build}" && pwd)
RUNS=${2:-7}
MEASURE_SECONDS=30
QUIET_SECONDS=5
. "$SOURCE_DIR/tests/e2e/lib.sh"
. "$SOURCE_DIR/bench/lib.sh"

PROGRAM=$BUILD_DIR/bin/chengmu
[ -x "$PROGRAM" ] || e2e_abort "$PROGRAM is missing: build the targets chengmu and character_files"

# The reference: the smallest Qt Widgets program that maps one window.
minimal_dir=$(mktemp -d "${TMPDIR:-/tmp}/minimal-widgets.XXXXXX")
trap 'e2e_cleanup; rm -rf "$minimal_dir"' EXIT
cat >"$minimal_dir/minimal.cpp" <<'CPP'
#include <QApplication>
#include <QWidget>
int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window(nullptr, Qt::FramelessWindowHint);
  window.setWindowTitle("minimal");
  window.setGeometry(258, 0, 160, 20);
  window.show();
  return application.exec();
}
CPP
# shellcheck disable=SC2046
g++ -O2 -fPIC -std=c++17 "$minimal_dir/minimal.cpp" -o "$minimal_dir/minimal" \
  $(pkg-config --cflags --libs Qt6Widgets) || e2e_abort "cannot build the minimal Qt program"

e2e_start_xvfb 1024x768x24

# Every window mapped on the screen, stamped with the time its MapNotify arrived (microseconds).
map_log=$E2E_LOG_DIR/maps.log
stdbuf -oL xev -root -event substructure > >(
  while IFS= read -r line; do
    [[ $line == *"override"* ]] && echo "${EPOCHREALTIME/./} $line"
  done >"$map_log"
) &
E2E_PIDS+=("$!")
sleep 0.5

# start_to_map PROGRAM TITLE: milliseconds from starting PROGRAM until its window TITLE is mapped.
start_to_map() {
  local started wid hex stamp pid
  : >"$map_log"
  started=${EPOCHREALTIME/./}
  "$1" >/dev/null 2>&1 &
  pid=$!
  wid=$(e2e_wait_window "^$2\$" 30) || { kill "$pid"; e2e_abort "$2 was never mapped"; }
  hex=$(printf '0x%x' "$wid")
  sleep 0.2
  stamp=$(awk -v w="window $hex," '$0 ~ w {print $1; exit}' "$map_log")
  kill -TERM "$pid"
  wait "$pid" 2>/dev/null
  [ -n "$stamp" ] || e2e_abort "no MapNotify seen for $2"
  echo $(((stamp - started) / 1000))
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

xdotool mousemove 600 400
bar_times=() minimal_times=()
for _ in $(seq "$RUNS"); do
  bar_times+=("$(start_to_map "$PROGRAM" Form1)")
  minimal_times+=("$(start_to_map "$minimal_dir/minimal" minimal)")
done
bar_median=$(printf '%s\n' "${bar_times[@]}" | median)
minimal_median=$(printf '%s\n' "${minimal_times[@]}" | median)
echo "start to mapped, chengmu bar:   ${bar_times[*]} ms; median $bar_median ms"
echo "start to mapped, minimal Qt:    ${minimal_times[*]} ms; median $minimal_median ms"
awk -v a="$bar_median" -v b="$minimal_median" 'BEGIN {printf "ratio: %.2f\n", a / b}'

e2e_start "$PROGRAM"
program=$E2E_LAST_PID
bar=$(e2e_wait_window '^Form1$' 30) || e2e_abort "the bar never appeared"
e2e_wait_window '^girl$' 120 >/dev/null || e2e_abort "the girl never came into view"
wait_for_rest "$QUIET_SECONDS"
read -r _ _ _ height < <(e2e_window_geometry "$bar")
[ "$height" -le 2 ] || e2e_abort "the bar is not rolled up (height $height)"

ticks_per_second=$(getconf CLK_TCK)
before=$(cpu_ticks "$program")
sleep "$MEASURE_SECONDS"
after=$(cpu_ticks "$program")
e2e_alive "$program" || e2e_abort "the program ended while measured"
awk -v used="$((after - before))" -v hz="$ticks_per_second" -v secs="$MEASURE_SECONDS" 'BEGIN {
  printf "rolled up, characters at rest: %.2f s of CPU in %d s = %.2f%% of one core\n",
         used / hz, secs, 100 * used / hz / secs
}'
echo "peak resident memory: $(awk '/VmHWM/ {print $2, $3}' "/proc/$program/status")"
