#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end: the sentence window and a lesson on the real program. "短" shows the window
# "英语学习" at 64, 24 (377 x 81) with the focus in Text1, where xdotool types a sentence that
# "读" has the pupil of the turn say; "短" again brings the moved window back with its text.
# "文" opens a two-line lesson through the real dialog (the path typed, Enter): the pupils'
# speech balloons and vemo's thought balloons show the sentences and translations in order,
# then the closing scene. "退" during speech ends the program with status 0 within a second.
# Screenshots go to BUILD_DIR/screenshots/lesson-*.png.
# Usage: test_lesson.sh BUILD_DIR SOURCE_DIR
set -u

. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

SHOTS=$BUILD_DIR/screenshots

# Every balloon title seen so far, in the order first seen, one a line.
TITLES=$E2E_LOG_DIR/balloon-titles.txt
: >"$TITLES"
collect_titles() {
  local wid title
  for wid in $(e2e_find_windows ' (says|thinks): '); do
    title=$(e2e_window_title "$wid")
    grep -qxF -- "$title" "$TITLES" || echo "$title" >>"$TITLES"
  done
}

# wait_title TITLE SECONDS: collects balloon titles until TITLE has been seen.
wait_title() {
  local deadline=$((SECONDS + $2))
  while [ "$SECONDS" -lt "$deadline" ]; do
    collect_titles
    grep -qxF -- "$1" "$TITLES" && return 0
    sleep 0.1
  done
  e2e_fail "no balloon titled '$1' within $2 s"
  return 1
}

# expect_order TITLE...: the titles were first seen in this order.
expect_order() {
  local previous=0 line title
  for title in "$@"; do
    line=$(grep -nxF -- "$title" "$TITLES" | head -n 1 | cut -d: -f1)
    if [ -z "$line" ]; then
      e2e_fail "balloon '$title' never seen"
    elif [ "$line" -le "$previous" ]; then
      e2e_fail "balloon '$title' came before the one expected ahead of it"
    else
      previous=$line
    fi
  done
}

e2e_start_xvfb 1024x768x24
xdotool mousemove 330 10
mkdir -p "$E2E_LOG_DIR/cwd"
e2e_start_in "$E2E_LOG_DIR/cwd" "$PROGRAM"
program_pid=$E2E_LAST_PID
e2e_wait_window '^Form1$' 30 >/dev/null || e2e_abort "no window titled Form1"
# The opening scene ends with the girl's greeting.
wait_title "girl says: How are you!" 90 || e2e_abort "the opening scene did not finish"
sleep 2

# "短": the sentence window at 64, 24 with the focus in Text1.
e2e_click_button 短
lx=$(e2e_wait_window '^英语学习$' 5) || e2e_abort "no window titled 英语学习"
e2e_expect_eq "$(e2e_window_geometry "$lx")" "64 24 377 81" "sentence window"
state=$(xprop -id "$lx" _NET_WM_STATE)
[[ $state == *_NET_WM_STATE_SKIP_TASKBAR* ]] || e2e_fail "the sentence window shows in the task bar"
[[ $state == *_NET_WM_STATE_ABOVE* ]] && e2e_fail "the sentence window asks to stay on top"
xdotool type --delay 50 "Nice to see you"
sleep 0.3
e2e_screenshot "$SHOTS/lesson-typed.png"
e2e_click_button 读
wait_title "boy says: Nice to see you" 10

# Moved away and "短" again: back at 64, 24, the text kept, now the girl's turn.
xdotool windowmove "$lx" 400 300
sleep 0.3
e2e_click_button 短
sleep 0.3
e2e_expect_eq "$(e2e_window_geometry "$lx")" "64 24 377 81" "sentence window after a second 短"
xdotool type --delay 50 " again"
e2e_click_button 读
wait_title "girl says: Nice to see you again" 10

# "文": a two-line lesson in code page 936, opened by typing its path into the dialog.
LESSON=$E2E_LOG_DIR/two-lines.txt
printf 'Good morning!~\xd4\xe7\xc9\xcf\xba\xc3\r\n[00:03.00]How are you?~\xc4\xe3\xba\xc3\xc2\xf0\r\n' >"$LESSON"
e2e_click_button 文
dialog=$(e2e_wait_window '^打开学习文件$' 10) || e2e_abort "no open dialog"
sleep 0.5
e2e_screenshot "$SHOTS/lesson-dialog.png"
xdotool windowfocus --sync "$dialog" 2>/dev/null
xdotool type --delay 20 "$LESSON"
xdotool key Return
lesson_titles=(
  "girl says: Good morning!"
  "vemo thinks:  早 上 好"
  "boy says: How are you?"
  "vemo thinks:  你 好 吗"
  "vemo says: 学 习 完 毕"
)
for title in "${lesson_titles[@]}"; do
  wait_title "$title" 60 || break
  [ "$title" = "vemo thinks:  早 上 好" ] && e2e_screenshot "$SHOTS/lesson-thought.png"
done
expect_order "${lesson_titles[@]}"
e2e_expect_eq "$(e2e_find_windows '^英语学习$')" "" "sentence window hidden by 文"
sleep 1
e2e_screenshot "$SHOTS/lesson-closing.png"

# "退" while the characters speak: the program ends within a second with status 0.
e2e_click_button 短
e2e_click_button 读
sleep 0.3
e2e_click_button 退
status=timeout
for _ in $(seq 10); do
  if ! e2e_alive "$program_pid"; then
    wait "$program_pid"
    status=$?
    break
  fi
  sleep 0.1
done
e2e_expect_eq "$status" 0 "exit status of 退 within a second"

e2e_finish
