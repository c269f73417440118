#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end: one program at a time for each user. A second plain start ends with status 0 and
# leaves one bar; a second start with a lesson (a relative path, from another folder) ends with
# status 0 and the running program performs that lesson. A program killed outright leaves its
# socket behind; that stale socket does not keep the next start from running.
# Usage: test_single_instance.sh BUILD_DIR SOURCE_DIR
set -u

. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

SOCKET=$XDG_RUNTIME_DIR/chengmu-$(id -u).socket

# start_again ARGS...: a second start, in the foreground; prints its exit status.
start_again() {
  timeout 30 "$PROGRAM" "$@" >>"$E2E_LOG_DIR/second.out" 2>>"$E2E_LOG_DIR/second.err"
  echo $?
}

e2e_start_xvfb 1024x768x24
xdotool mousemove 330 200
mkdir -p "$E2E_LOG_DIR/first" "$E2E_LOG_DIR/second"
cd "$E2E_LOG_DIR/first" || e2e_abort "no working folder"
e2e_start "$PROGRAM"
program_pid=$E2E_LAST_PID
e2e_wait_window '^boy says: Hello!$' 60 >/dev/null || e2e_abort "the program did not start"

cd "$E2E_LOG_DIR/second" || e2e_abort "no second folder"
e2e_expect_eq "$(start_again)" 0 "exit status of a second plain start"
sleep 1
e2e_expect_eq "$(e2e_find_windows '^Form1$' | wc -l)" 1 "bars after a second start"

printf 'Nice to meet you.~\xc8\xcf\xca\xb6\xc4\xe3\xba\xdc\xb8\xdf\xd0\xcb\r\n' >lesson.txt
e2e_expect_eq "$(start_again lesson.txt)" 0 "exit status of a second start with a lesson"
e2e_wait_window '^(boy|girl) says: Nice to meet you\.$' 60 >/dev/null ||
  e2e_fail "the running program did not perform the lesson handed over"
e2e_expect_eq "$(e2e_find_windows '^Form1$' | wc -l)" 1 "bars after a second start with a lesson"
e2e_alive "$program_pid" || e2e_fail "the first program ended"
e2e_expect_quiet "$E2E_LOG_DIR/second.err"

# Killed outright, the program leaves its socket; the next start runs all the same.
kill -KILL "$program_pid"
wait "$program_pid" 2>/dev/null
[ -S "$SOCKET" ] || e2e_fail "no socket left behind at $SOCKET"
e2e_start "$PROGRAM"
program_pid=$E2E_LAST_PID
e2e_wait_window '^boy says: Hello!$' 60 >/dev/null || e2e_fail "a stale socket kept the program from starting"
e2e_alive "$program_pid" || e2e_fail "the start after a stale socket ended"

e2e_finish
