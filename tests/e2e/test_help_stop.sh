#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end: "停" and "帮" on the real bar. "停" during the opening scene ends it for all three:
# the host's balloon goes and the pupils, not yet called in, never appear. "帮" shows the help
# window "帮助" at 333, 25 (320 x 280); its "退出" hides it and "帮" brings it back. A usage
# text that cannot be read (here a folder named 使用帮助.txt) gives a message box, and the
# program goes on: the bar still works. Screenshots go to BUILD_DIR/screenshots/help-*.png.
# Usage: test_help_stop.sh BUILD_DIR SOURCE_DIR
set -u

. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

SHOTS=$BUILD_DIR/screenshots

# The help window's controls, in screen pixels: the link "使用帮助" and the button "退出".
USAGE_LINK_X=$((333 + 176 + 32)) USAGE_LINK_Y=$((25 + 256 + 8))
CLOSE_X=$((333 + 264 + 20)) CLOSE_Y=$((25 + 248 + 12))

# The program runs in a folder of its own, with the introduction but an unreadable usage text.
WORK=$E2E_LOG_DIR/cwd
mkdir -p "$WORK/使用帮助.txt"
cp "$SOURCE_DIR/data/软件介绍.txt" "$WORK/"

e2e_start_xvfb 1024x768x24
xdotool mousemove 330 10
e2e_start_in "$WORK" "$PROGRAM"
program_pid=$E2E_LAST_PID
e2e_wait_window '^Form1$' 30 >/dev/null || e2e_abort "no window titled Form1"

# "停" while the host speaks: his balloon goes, and nobody else comes in.
e2e_wait_window '^vemo says: ' 30 >/dev/null || e2e_abort "vemo never spoke"
e2e_click_button 停
sleep 1
[ -z "$(e2e_find_windows ' (says|thinks): ')" ] || e2e_fail "a balloon is still in view after 停"
sleep 5
[ -z "$(e2e_find_windows '^(boy|girl)$')" ] || e2e_fail "a pupil came in after 停"
[ -n "$(e2e_find_windows '^vemo$')" ] || e2e_fail "vemo left the stage on 停"
[ -z "$(e2e_find_windows ' (says|thinks): ')" ] || e2e_fail "the scene went on after 停"

# "帮": the help window below the bar.
e2e_click_button 帮
help=$(e2e_wait_window '^帮助$' 5) || e2e_abort "no window titled 帮助"
e2e_expect_eq "$(e2e_window_geometry "$help")" "333 25 320 280" "help window"
sleep 0.5
e2e_screenshot "$SHOTS/help-introduction.png"

# The usage text cannot be read: a message box says so, and the program goes on.
xdotool mousemove "$USAGE_LINK_X" "$USAGE_LINK_Y" click 1
box=$(e2e_wait_window '^chengmu$' 5) || e2e_fail "no message box for the unreadable usage text"
e2e_screenshot "$SHOTS/help-unreadable.png"
if [ -n "${box:-}" ]; then
  xdotool windowfocus "$box" key Return
  sleep 0.5
  [ -z "$(e2e_find_windows '^chengmu$')" ] || e2e_fail "the message box did not close"
fi
e2e_alive "$program_pid" || e2e_abort "the program ended on an unreadable help file"

# "退出" hides the help window; "帮" brings it back at its place.
xdotool mousemove "$CLOSE_X" "$CLOSE_Y" click 1
sleep 0.5
[ -z "$(e2e_find_windows '^帮助$')" ] || e2e_fail "退出 did not hide the help window"
xdotool windowmove "$help" 500 400 2>/dev/null
e2e_click_button 帮
help=$(e2e_wait_window '^帮助$' 5) || e2e_abort "帮 did not show the help window again"
e2e_expect_eq "$(e2e_window_geometry "$help")" "333 25 320 280" "help window shown again"

# The bar still works: "短" shows the sentence window.
e2e_click_button 短
lx=$(e2e_wait_window '^英语学习$' 5) || e2e_fail "短 did nothing after the message box"
[ -n "${lx:-}" ] && e2e_expect_eq "$(e2e_window_geometry "$lx")" "64 24 377 81" "sentence window"
e2e_screenshot "$SHOTS/help-after.png"

e2e_expect_quiet "$E2E_LOG_DIR/$(basename "$PROGRAM").err" \
  '^QStandardPaths: ' '^PulseAudioService: ' '^chengmu.speech: no sound output device'
e2e_finish
