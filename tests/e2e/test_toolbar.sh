#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end: the toolbar "Form1" of the real program docks at 258, 0 (160 x 20 at 96 dpi),
# rolls up when the pointer leaves it, expands at the top edge of the screen, can be dragged by
# its grip and docks again at the new left on release. A character file missing or no display
# ends the program with status 1 and a message, and the bar never appears. Screenshots go to
# BUILD_DIR/screenshots/toolbar-*.png.
# Usage: test_toolbar.sh BUILD_DIR SOURCE_DIR
set -u

. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

SHOTS=$BUILD_DIR/screenshots

# bar_geometry_becomes WID "X Y W H" WHAT: waits up to 2 s for the bar's geometry.
bar_geometry_becomes() {
  e2e_wait_geometry "$1" "$2" 2
  e2e_expect_eq "$(e2e_window_geometry "$1")" "$2" "$3"
}

# shoot NAME: the whole screen, and the top strip around the bar enlarged four times.
shoot() {
  e2e_screenshot "$SHOTS/toolbar-$1.png"
  convert "$SHOTS/toolbar-$1.png" -crop 1024x40+0+0 -scale 400% "$SHOTS/toolbar-$1-top.png"
}

e2e_start_xvfb 1024x768x24

# Started with the pointer on the bar's place, the bar stays expanded where loading docked it.
xdotool mousemove 330 10
e2e_start_in "$SOURCE_DIR/data" "$PROGRAM"
program_pid=$E2E_LAST_PID
bar=$(e2e_wait_window '^Form1$' 30) || e2e_abort "no window titled Form1"
bar_geometry_becomes "$bar" "258 0 160 20" "docked bar"
[ -z "$(e2e_find_windows '^(boy|girl)$')" ] || e2e_fail "a pupil is in view before being called"
state=$(xprop -id "$bar" _NET_WM_STATE)
[[ $state == *_NET_WM_STATE_SKIP_TASKBAR* ]] || e2e_fail "the bar shows in the task bar: $state"
e2e_wait_window '^vemo$' 10 >/dev/null || e2e_fail "the opening scene shows no vemo"
sleep 0.5
bar_geometry_becomes "$bar" "258 0 160 20" "bar with the pointer on it"
shoot expanded

# Away from the bar it rolls up to a strip of 2 pixels within a few polls.
xdotool mousemove 600 400
bar_geometry_becomes "$bar" "258 0 160 2" "rolled-up bar"
shoot rolled-up

# Where the expanded bar would be, the rolled-up bar stays rolled up.
xdotool mousemove 330 10
sleep 0.5
bar_geometry_becomes "$bar" "258 0 160 2" "rolled-up bar under the pointer"

# The top edge far from the bar expands it; from there onto the bar keeps it expanded.
xdotool mousemove 900 0
bar_geometry_becomes "$bar" "258 0 160 20" "bar expanded from the top edge"
xdotool mousemove 330 12
sleep 0.5
bar_geometry_becomes "$bar" "258 0 160 20" "expanded bar under the pointer"

# Drag by the grip: the bar follows the pointer as the last poll saw it whenever the pointer
# moves, then docks at the top edge at the dropped left. The press is 4 pixels right of the
# bar's left edge and 5 below its top; the last motion comes one pixel right of where the polls
# saw the pointer rest (a poll may just catch that motion too).
xdotool mousemove 262 5
sleep 0.4
xdotool mousedown 1
sleep 0.3
for point in "350 80" "450 150" "500 200"; do
  xdotool mousemove $point
  sleep 0.3
done
xdotool mousemove 501 200
sleep 0.3
read -r x y w h < <(e2e_window_geometry "$bar")
[[ $x == 496 || $x == 497 ]] || e2e_fail "bar while dragged: expected x 496 or 497, got $x"
e2e_expect_eq "$y $w $h" "195 160 20" "bar while dragged"
dragged_x=$x
shoot dragged
xdotool mouseup 1
read -r x y w _ < <(e2e_window_geometry "$bar")
e2e_expect_eq "$x $y $w" "$dragged_x 0 160" "bar dropped"
xdotool mousemove 700 0
bar_geometry_becomes "$bar" "$dragged_x 0 160 20" "dropped bar expanded from the top edge"
shoot dropped
e2e_alive "$program_pid" || e2e_fail "the program ended during the test"
kill -TERM "$program_pid"
wait "$program_pid" 2>/dev/null

# A character file missing: the message names it, the bar never appears, status 1 once the
# message box is closed.
lonely=$(mktemp -d "${TMPDIR:-/tmp}/chengmu-lonely.XXXXXX")
cp "$PROGRAM" "$lonely/"
"$lonely/chengmu" >"$E2E_LOG_DIR/lonely.out" 2>"$E2E_LOG_DIR/lonely.err" &
lonely_pid=$!
E2E_PIDS+=("$lonely_pid")
box=$(e2e_wait_window '^chengmu$' 20) || e2e_fail "no message box for the missing file"
shoot missing-file
[ -n "$(e2e_find_windows '^Form1$')" ] && e2e_fail "the bar appeared although a file is missing"
grep -q "ku.dat" "$E2E_LOG_DIR/lonely.err" ||
  e2e_fail "stderr does not name ku.dat: $(cat "$E2E_LOG_DIR/lonely.err")"
if [ -n "$box" ]; then
  xdotool windowfocus --sync "$box" key Return
fi
for _ in $(seq 50); do e2e_alive "$lonely_pid" || break; sleep 0.1; done
if e2e_alive "$lonely_pid"; then
  e2e_fail "the program did not end after its message box closed"
else
  wait "$lonely_pid"
  e2e_expect_eq "$?" 1 "exit status with a missing character file"
fi
rm -rf "$lonely"

# No display: one line on stderr, status 1.
env -u DISPLAY "$PROGRAM" >"$E2E_LOG_DIR/nodisplay.out" 2>"$E2E_LOG_DIR/nodisplay.err"
e2e_expect_eq "$?" 1 "exit status without a display"
e2e_expect_eq "$(wc -l <"$E2E_LOG_DIR/nodisplay.err")" 1 "lines on stderr without a display"

e2e_finish
