#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end under openbox: no window of the program is ever listed in a task bar. Three lessons
# are read one after another (handed over by later starts), hiding and showing the balloons
# quickly; every 50 ms the windows the window manager manages are looked at as a task bar does,
# and one of the program's without _NET_WM_STATE_SKIP_TASKBAR at two looks in a row fails.
# Usage: test_taskbar_openbox.sh BUILD_DIR SOURCE_DIR
set -u

. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

ALLOWED=('^PulseAudioService: ' '^chengmu.speech: no sound output device')

# listed_windows PID: the windows of the process a task bar would list: those the window manager
# manages (_NET_CLIENT_LIST) without _NET_WM_STATE_SKIP_TASKBAR.
listed_windows() {
  local wid properties
  for wid in $(xprop -root _NET_CLIENT_LIST | grep -o '0x[0-9a-f]*'); do
    properties=$(xprop -id "$wid" _NET_WM_PID _NET_WM_STATE 2>/dev/null) || continue
    [[ $properties == *"= $1"* && $properties != *SKIP_TASKBAR* ]] && echo "$wid"
  done
}

# watch_skip_states PID LOG: every 50 ms, writes "WID TITLE" for each window of the process a
# task bar would list at this look and the one before, and counts the looks in LOG.looks.
watch_skip_states() {
  local pid=$1 log=$2 wid listed=" " now looks=0
  while true; do
    now=" "
    for wid in $(listed_windows "$pid"); do
      now+="$wid "
      [[ $listed == *" $wid "* ]] && echo "$wid $(e2e_window_title "$wid")" >>"$log"
    done
    listed=$now
    echo $((++looks)) >"$log.looks"
    sleep 0.05
  done
}

LESSON=$E2E_LOG_DIR/two-lines.txt
printf 'Good morning!~\xd4\xe7\xc9\xcf\xba\xc3\r\nHow are you?~\xc4\xe3\xba\xc3\xc2\xf0\r\n' >"$LESSON"

e2e_start_xvfb 1024x768x24
e2e_start_openbox
xdotool mousemove 330 200
e2e_start_in "$SOURCE_DIR/data" "$PROGRAM"
program_pid=$E2E_LAST_PID
bar=$(e2e_wait_window '^Form1$' 30) || e2e_abort "no window titled Form1"
# The look itself can see a listed window: the bar, its states taken away for a moment.
states=$(xprop -id "$bar" _NET_WM_STATE | sed 's/^.*= //; s/ //g')
xprop -id "$bar" -remove _NET_WM_STATE
e2e_expect_eq "$(listed_windows "$program_pid")" "$(printf '0x%x' "$bar")" "a bar without its states"
xprop -id "$bar" -f _NET_WM_STATE 32a -set _NET_WM_STATE "$states"
e2e_expect_eq "$(listed_windows "$program_pid")" "" "the bar with its states again"
LISTED=$E2E_LOG_DIR/listed.txt
: >"$LISTED"
watch_skip_states "$program_pid" "$LISTED" &
E2E_PIDS+=("$!")

e2e_wait_window '^vemo$' 30 >/dev/null || e2e_abort "the host did not come"
for lesson in 1 2 3; do
  timeout 30 "$PROGRAM" "$LESSON" >>"$E2E_LOG_DIR/later.out" 2>>"$E2E_LOG_DIR/later.err" ||
    e2e_fail "lesson $lesson was not handed over"
  e2e_wait_window '^vemo thinks:  你 好 吗$' 120 >/dev/null ||
    e2e_fail "lesson $lesson was not performed"
  while [ -n "$(e2e_find_windows '^vemo thinks: ')" ]; do sleep 0.1; done
done
kill "${E2E_PIDS[-1]}" 2>/dev/null

e2e_log "looks at the windows: $(cat "$LISTED.looks")"
e2e_expect_eq "$(cat "$LISTED")" "" "windows seen without the skip state at two looks in a row"
kill -TERM "$program_pid"
e2e_wait_exit "$program_pid" 10
e2e_expect_eq "$E2E_EXIT_STATUS" 0 "exit status after SIGTERM"
e2e_expect_quiet "$E2E_LOG_DIR/chengmu.err" "${ALLOWED[@]}"

e2e_finish
