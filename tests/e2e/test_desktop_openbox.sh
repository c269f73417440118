#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end on a desktop with a window manager (openbox). The program is started with a lesson,
# which it opens after the opening scene; meanwhile every window it maps is watched. "短"/"停"
# twice and "帮"/"退出" twice map the sentence and help windows again: at every mapping, every
# window of the program (bar, characters, balloons, sentence and help windows) carries
# _NET_WM_STATE_SKIP_TASKBAR and _SKIP_PAGER. Then the window manager's close on the bar
# (wmctrl -c Form1) ends the program with status 0, and SIGTERM ends a second run the same way.
# Usage: test_desktop_openbox.sh BUILD_DIR SOURCE_DIR
set -u

. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

ALLOWED=('^PulseAudioService: ' '^chengmu.speech: no sound output device')

# watch_mappings PID LOG: writes "WID STATE TITLE" for every window of the process each time it
# is newly seen mapped, polling every 0.1 s until stopped.
watch_mappings() {
  local pid=$1 log=$2 wid seen=" " now
  while true; do
    now=" "
    for wid in $(e2e_program_windows "$pid"); do
      now+="$wid "
      [[ $seen == *" $wid "* ]] && continue
      echo "$wid $(xprop -id "$wid" -notype _NET_WM_STATE | tr -d ' ') $(e2e_window_title "$wid")" \
        >>"$log"
    done
    seen=$now
    sleep 0.1
  done
}

# mappings TITLE_REGEX: how many mappings of windows with such a title were seen.
mappings() { cut -d' ' -f3- "$MAPPINGS" | grep -cE -- "$1"; }

# wait_mapping TITLE_REGEX COUNT: waits (up to 20 s) until the watcher has seen COUNT mappings of
# such a window, so that a window is hidden again only once its state was read.
wait_mapping() {
  local deadline=$((SECONDS + 20))
  while [ "$(mappings "$1")" -lt "$2" ] && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.1; done
  [ "$(mappings "$1")" -ge "$2" ] || e2e_fail "the watcher did not see $2 mapping(s) of $1"
}

LESSON=$E2E_LOG_DIR/two-lines.txt
printf 'Good morning!~\xd4\xe7\xc9\xcf\xba\xc3\r\nHow are you?~\xc4\xe3\xba\xc3\xc2\xf0\r\n' >"$LESSON"
mkdir -p "$E2E_LOG_DIR/cwd" && cp "$SOURCE_DIR"/data/*.txt "$E2E_LOG_DIR/cwd/"
cd "$E2E_LOG_DIR/cwd" || e2e_abort "no working folder"

e2e_start_xvfb 1024x768x24
e2e_start_openbox
xdotool mousemove 330 200
e2e_start "$PROGRAM" "$LESSON"
program_pid=$E2E_LAST_PID
MAPPINGS=$E2E_LOG_DIR/mappings.txt
: >"$MAPPINGS"
watch_mappings "$program_pid" "$MAPPINGS" &
E2E_PIDS+=("$!")
e2e_wait_window '^Form1$' 30 >/dev/null || e2e_abort "no window titled Form1"

# The lesson opens after the opening scene: its last sentence is spoken and thought.
e2e_wait_window '^vemo thinks:  你 好 吗$' 120 >/dev/null ||
  e2e_fail "the lesson given at start was not performed"

for showing in 1 2; do
  e2e_click_button 短
  e2e_wait_window '^英语学习$' 5 >/dev/null || e2e_fail "短 did not show the sentence window"
  wait_mapping '^英语学习$' "$showing"
  e2e_click_button 停
  sleep 0.5
done
for showing in 1 2; do
  e2e_click_button 帮
  help=$(e2e_wait_window '^帮助$' 5) || e2e_abort "帮 did not show the help window"
  wait_mapping '^帮助$' "$showing"
  read -r x y _ _ < <(e2e_window_geometry "$help")
  xdotool mousemove $((x + 284)) $((y + 260)) click 1  # its "退出"
  sleep 0.5
  [ -z "$(e2e_find_windows '^帮助$')" ] || e2e_fail "退出 did not hide the help window"
done
kill "${E2E_PIDS[-1]}" 2>/dev/null

e2e_log "mappings seen: $(wc -l <"$MAPPINGS")"
e2e_expect_eq "$(awk '!/SKIP_TASKBAR/ || !/SKIP_PAGER/' "$MAPPINGS" | wc -l)" 0 \
  "mappings without SKIP_TASKBAR and SKIP_PAGER"
for title in '^Form1$' '^boy$' '^girl$' '^vemo$' '^(boy|girl) says: Good morning!$' \
  '^vemo thinks: '; do
  [ "$(mappings "$title")" -ge 1 ] || e2e_fail "no mapping of a window titled $title seen"
done

# The window manager's close on the bar ends the program as "退" does.
wmctrl -c Form1
e2e_wait_exit "$program_pid" 10
e2e_expect_eq "$E2E_EXIT_STATUS" 0 "exit status after the window manager's close"
e2e_expect_quiet "$E2E_LOG_DIR/chengmu.err" "${ALLOWED[@]}"

# SIGTERM, as at the end of a session, likewise.
e2e_start "$PROGRAM"
program_pid=$E2E_LAST_PID
e2e_wait_window '^boy says: Hello!$' 60 >/dev/null || e2e_fail "the second run did not start"
kill -TERM "$program_pid"
e2e_wait_exit "$program_pid" 10
e2e_expect_eq "$E2E_EXIT_STATUS" 0 "exit status after SIGTERM"
e2e_expect_quiet "$E2E_LOG_DIR/chengmu.err" "${ALLOWED[@]}"

e2e_finish
