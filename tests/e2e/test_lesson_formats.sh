#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end: lessons in other formats on the real program. "文" opens SubRip subtitles through
# the real dialog (the path typed, Enter): markup is gone from the balloons, a cue without
# English is left out, the lesson ends with the closing scene. Then a flashcard export is
# dragged from another program (drag_source, as a file manager would drag it) and dropped on
# the bar's "读" button: the program performs it as "文" would have. A file that is no lesson,
# dropped on the bar, is refused with a message box, and the program goes on.
# Screenshots go to BUILD_DIR/screenshots/formats-*.png.
# Usage: test_lesson_formats.sh BUILD_DIR SOURCE_DIR
set -u

. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

SHOTS=$BUILD_DIR/screenshots
DRAG_SOURCE=$BUILD_DIR/bin/drag_source
[ -x "$DRAG_SOURCE" ] || e2e_abort "$DRAG_SOURCE is missing: build the project first"

# wait_balloon TITLE SECONDS: waits for a balloon window titled exactly TITLE.
wait_balloon() {
  local pattern
  pattern="^$(printf '%s' "$1" | sed 's/[][\.*^$?+(){}|]/\\&/g')\$"
  e2e_wait_window "$pattern" "$2" >/dev/null || e2e_fail "no balloon titled '$1' within $2 s"
}

# drop_on_bar FILE: drags FILE from the drag source onto the bar's "读" button and lets go
# there; prints what the drag source says of it.
drop_on_bar() {
  e2e_start "$DRAG_SOURCE" "$1"
  local source_pid=$E2E_LAST_PID
  e2e_wait_window '^drag source$' 10 >/dev/null || e2e_abort "no drag source window"
  xdotool mousemove 660 440 mousedown 1
  for x in 650 630 600 500 400 320 310; do
    xdotool mousemove "$x" 200
    sleep 0.1
  done
  xdotool mousemove 310 0
  bar=$(e2e_wait_window '^Form1$' 10) && e2e_wait_geometry "$bar" "258 0 160 20" 10 ||
    e2e_fail "the bar did not expand under the dragged file"
  xdotool mousemove 310 8
  sleep 0.3
  xdotool mousemove 311 10
  sleep 0.3
  xdotool mouseup 1
  for _ in $(seq 50); do
    e2e_alive "$source_pid" || break
    sleep 0.1
  done
  cat "$E2E_LOG_DIR/drag_source.out"
}

e2e_start_xvfb 1024x768x24
xdotool mousemove 330 300
mkdir -p "$E2E_LOG_DIR/cwd"
e2e_start_in "$E2E_LOG_DIR/cwd" "$PROGRAM"
program_pid=$E2E_LAST_PID
e2e_wait_window '^Form1$' 30 >/dev/null || e2e_abort "no window titled Form1"
wait_balloon "girl says: How are you!" 90
sleep 2

# "文": SubRip subtitles in UTF-8 with markup and a cue without English.
SUBTITLES=$E2E_LOG_DIR/film.srt
printf '1\n00:00:01,000 --> 00:00:02,000\n<i>Where are you going?</i>\n你要去哪里？\n\n2\n00:00:03,000 --> 00:00:04,000\n（音乐）\n\n3\n00:00:05,000 --> 00:00:06,000\n{\\an8}To the park &amp; the lake.\n去公园和湖边。\n' >"$SUBTITLES"
e2e_click_button 文
e2e_choose_in_dialog "$SUBTITLES" || e2e_abort "no open dialog"
wait_balloon "girl says: Where are you going?" 60
wait_balloon "vemo thinks:  你 要 去 哪 里 ？" 60
e2e_screenshot "$SHOTS/formats-subtitles.png"
wait_balloon "boy says: To the park & the lake." 60
wait_balloon "vemo says: 学 习 完 毕" 60
[ -n "$(e2e_find_windows '音乐')" ] && e2e_fail "the cue without English was performed"
sleep 3

# A flashcard export dropped on the bar.
CARDS=$E2E_LOG_DIR/cards.tsv
printf '#separator:tab\n#html:true\nSee you <b>tomorrow</b>.\t明天见。\n' >"$CARDS"
e2e_expect_eq "$(drop_on_bar "$CARDS")" "dropped" "the drag source's word on the flashcards"
wait_balloon "girl says: See you tomorrow." 60
wait_balloon "vemo thinks:  明 天 见 。" 60
e2e_screenshot "$SHOTS/formats-dropped.png"
e2e_expect_eq "$(e2e_message_boxes)" "" "message boxes after the drop of a lesson"
sleep 3

# A file that is no lesson, dropped on the bar: a message box names it.
NOTES=$E2E_LOG_DIR/notes.md
printf '# Shopping\napples and pears\n' >"$NOTES"
drop_on_bar "$NOTES" >/dev/null
box=$(e2e_wait_window '^chengmu$' 10) || e2e_fail "no message box for a file that is no lesson"
if [ -n "${box:-}" ]; then
  e2e_screenshot "$SHOTS/formats-refused.png"
  xdotool windowfocus --sync "$box" key Return
  sleep 0.5
  e2e_expect_eq "$(e2e_message_boxes)" "" "message boxes after OK"
fi
e2e_alive "$program_pid" || e2e_fail "the program ended"

e2e_finish
