#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# CPU use of the program at rest: starts build/bin/chengmu under its own Xvfb, waits until its
# opening scene is over (all three characters in view, no balloon for 5 s), then measures the CPU
# time it uses over 20 s and prints it as a share of one core, with how often its UI thread woke.
# The pointer stays away from the toolbar, so the bar is rolled up and only polls the cursor.
# Usage: bench/rest_cpu.sh [BUILD_DIR]   (default: build)
set -u

SOURCE_DIR=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(cd "${1:-$SOURCE_DIR/build}" && pwd)
MEASURE_SECONDS=20
QUIET_SECONDS=5
. "$SOURCE_DIR/tests/e2e/lib.sh"
. "$SOURCE_DIR/bench/lib.sh"

e2e_require_program "$BUILD_DIR"

# ui_wakeups PID: how often the program's main (UI) thread has gone to sleep and woken so far.
ui_wakeups() {
  awk '/^voluntary_ctxt_switches:/ {print $2}' "/proc/$1/task/$1/status"
}

e2e_start_xvfb
xdotool mousemove 600 400
(cd "$SOURCE_DIR/data" && exec "$PROGRAM") >"$E2E_LOG_DIR/chengmu.out" \
  2>"$E2E_LOG_DIR/chengmu.err" &
program=$!
E2E_PIDS+=("$program")

e2e_wait_window '^girl$' 120 >/dev/null || e2e_abort "the girl never came into view"
wait_for_rest "$QUIET_SECONDS"
e2e_alive "$program" || e2e_abort "the program ended"

ticks_per_second=$(getconf CLK_TCK)
before=$(cpu_ticks "$program")
wakeups_before=$(ui_wakeups "$program")
sleep "$MEASURE_SECONDS"
after=$(cpu_ticks "$program")
wakeups_after=$(ui_wakeups "$program")
e2e_alive "$program" || e2e_abort "the program ended while measured"

used=$((after - before))
awk -v used="$used" -v hz="$ticks_per_second" -v secs="$MEASURE_SECONDS" \
  -v wakeups=$((wakeups_after - wakeups_before)) 'BEGIN {
  printf "chengmu at rest: %.2f s of CPU in %d s = %.2f%% of one core\n",
         used / hz, secs, 100 * used / hz / secs
  printf "UI thread wake-ups: %.1f a second\n", wakeups / secs
}'
e2e_cleanup
$E2E_OWN_LOG_DIR && rm -rf "$E2E_LOG_DIR"
