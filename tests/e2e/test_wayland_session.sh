#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end: started in a Wayland session (XDG_SESSION_TYPE=wayland, WAYLAND_DISPLAY set) with
# Qt's Wayland plugin installed, the program runs on X11 all the same: the Wayland plugin is
# never tried (nothing about "wayland" on stderr) and the bar docks at 258, 0. SIGINT (Ctrl+C)
# then ends it with status 0, as "退" would. A platform the user chose (QT_QPA_PLATFORM) is kept:
# asked for wayland, Qt tries it.
# Usage: test_wayland_session.sh BUILD_DIR SOURCE_DIR
set -u

. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-*.so" >/dev/null ||
  e2e_abort "Qt's Wayland plugin (qt6-wayland) is needed: run tools/setup.sh"

e2e_start_xvfb 1024x768x24
xdotool mousemove 330 200
unset QT_QPA_PLATFORM
export XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-e2e
# A script's background commands start with SIGINT ignored, which the program keeps; env gives
# it SIGINT's default action, as in a terminal.
e2e_start env --default-signal=INT "$PROGRAM"
program_pid=$E2E_LAST_PID
bar=$(e2e_wait_window '^Form1$' 30) || e2e_abort "no window titled Form1"
sleep 1
read -r x y _ _ < <(e2e_window_geometry "$bar")
e2e_expect_eq "$x $y" "258 0" "the bar's place"
e2e_expect_eq "$(grep -ci wayland "$E2E_LOG_DIR/env.err")" 0 "messages about wayland"
kill -INT "$program_pid"
e2e_wait_exit "$program_pid" 10
e2e_expect_eq "$E2E_EXIT_STATUS" 0 "exit status after SIGINT"

# The user's own choice is kept: without a compositor, Qt's Wayland plugin fails to connect.
(QT_QPA_PLATFORM=wayland timeout 20 "$PROGRAM" >/dev/null 2>"$E2E_LOG_DIR/chosen.err")
grep -qi wayland "$E2E_LOG_DIR/chosen.err" || e2e_fail "QT_QPA_PLATFORM=wayland was not kept"

e2e_finish
