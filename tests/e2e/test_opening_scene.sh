#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end: the program's opening scene shows the three characters as separate windows where
# it moved them, and balloon windows whose titles carry their texts. Screenshots of the speech
# balloon, the thought balloon and the three characters go to BUILD_DIR/screenshots/.
# Usage: test_opening_scene.sh BUILD_DIR SOURCE_DIR
set -u

. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

SHOTS=$BUILD_DIR/screenshots

# check_character ID X Y [WIDTH HEIGHT]: the character's window is mapped at X, Y (and has that
# size when given, else a plausible one).
check_character() {
  local id=$1 wid x y w h
  wid=$(e2e_wait_window "^$id\$" 5) || { e2e_fail "no window titled '$id'"; return; }
  read -r x y w h < <(e2e_window_geometry "$wid")
  e2e_expect_eq "$x,$y" "$2,$3" "$id position"
  if [ $# -ge 5 ]; then
    e2e_expect_eq "${w}x$h" "${4}x$5" "$id size"
  elif [ "$w" -lt 32 ] || [ "$w" -gt 400 ] || [ "$h" -lt 32 ] || [ "$h" -gt 400 ]; then
    e2e_fail "$id has an implausible size ${w}x$h"
  fi
}

# check_overlay WID WHAT: the window keeps out of the task bar and never takes the focus.
check_overlay() {
  local state hints
  state=$(xprop -id "$1" _NET_WM_STATE)
  hints=$(xprop -id "$1" WM_HINTS)
  [[ $state == *_NET_WM_STATE_SKIP_TASKBAR* && $state == *_NET_WM_STATE_SKIP_PAGER* ]] ||
    e2e_fail "$2 is not kept out of the task bar and pager: $state"
  [[ $state == *_NET_WM_STATE_ABOVE* ]] || e2e_fail "$2 does not ask to stay on top: $state"
  [[ $hints == *"accepts input or input focus: False"* ]] || e2e_fail "$2 takes the focus: $hints"
}

e2e_start_xvfb
e2e_start_in "$SOURCE_DIR/data" "$PROGRAM"
PROGRAM_PID=$E2E_LAST_PID

# The host comes first and greets.
balloon=$(e2e_wait_window '^vemo says: ' 60) || e2e_abort "vemo never spoke"
e2e_expect_eq "$(e2e_window_title "$balloon")" "vemo says: Hi!" "vemo's speech balloon"
# One word: the balloon shows all of it at once, for about a second and a half.
e2e_screenshot "$SHOTS/opening-speech-balloon.png"
check_character vemo 180 156
vemo=$(e2e_wait_window '^vemo$' 1)
read -r _ vemo_y _ _ < <(e2e_window_geometry "$vemo")
read -r _ balloon_y _ balloon_h < <(e2e_window_geometry "$balloon")
e2e_expect_eq "$((balloon_y + balloon_h))" "$vemo_y" "speech balloon's tail reaches vemo's frame"
check_overlay "$vemo" "vemo's window"
check_overlay "$balloon" "vemo's balloon"

thought=$(e2e_wait_window '^vemo thinks: ' 30) || e2e_abort "vemo never thought"
e2e_expect_eq "$(e2e_window_title "$thought")" "vemo thinks:  你 好 !" "vemo's thought balloon"
sleep 0.5
e2e_screenshot "$SHOTS/opening-thought-balloon.png"

# The pupils come in only when called, where they were moved beforehand.
e2e_wait_window '^boy$' 60 >/dev/null || e2e_fail "boy never came into view"
check_character boy 80 335
e2e_wait_window '^girl$' 60 >/dev/null || e2e_fail "girl never came into view"
check_character girl 300 333 130 150
girl_said=$(e2e_wait_window '^girl says: ' 30) || e2e_fail "girl never spoke"
[ -n "$girl_said" ] &&
  e2e_expect_eq "$(e2e_window_title "$girl_said")" "girl says: How are you!" "girl's speech balloon"
sleep 0.5
e2e_screenshot "$SHOTS/opening-three-characters.png"
last_thought=$(e2e_wait_window '^vemo thinks: 好' 30) || e2e_fail "vemo never pointed to the menu"
[ -n "$last_thought" ] && e2e_expect_eq "$(e2e_window_title "$last_thought")" \
  "vemo thinks: 好 , 让 我 们 开 始 吧 ! 看 上 面 的 菜 单..." "vemo's closing thought"

e2e_alive "$PROGRAM_PID" || e2e_fail "the program ended by itself"
# Known and harmless on a test machine: no session bus directory, no sound server, and the speech
# service saying that it speaks silently.
e2e_expect_quiet "$E2E_LOG_DIR/chengmu.err" '^QStandardPaths: XDG_RUNTIME_DIR' \
  '^PulseAudioService: ' '^chengmu.speech: '
e2e_finish
