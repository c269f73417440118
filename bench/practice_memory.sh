#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What the practice features cost once used: chengmu reads a lesson of three sentences given on
# its command line, then drills it (F8 in the sentence window), reviews the three sentences made
# due (F7), shows the progress window (the learner's menu, "学习记录") and has both windows
# closed; after a minute at rest, with the pointer away from the bar, it prints
#   practice: resident <MiB> (peak <MiB>)
# the resident memory (VmRSS) then and the most ever held (VmHWM). Readings are flite's, played
# into a null-sink microphone of a PulseAudio server of the script's own (as in
# tests/e2e/test_drill.sh), under Xvfb and openbox.
#
# Usage: bench/practice_memory.sh [BUILD_DIR]
set -u

SOURCE_DIR=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(cd "${1:-$SOURCE_DIR/build}" && pwd) || exit 1
. "$SOURCE_DIR/tests/e2e/lib.sh"
REST_SECONDS=${PRACTICE_REST_SECONDS:-60}
STORE=$XDG_DATA_HOME/chengmu/progress.db

e2e_require_program "$BUILD_DIR"
for needed in pulseaudio pactl paplay flite sqlite3 openbox wmctrl; do
  command -v "$needed" >/dev/null || e2e_abort "$needed is needed: run tools/setup.sh"
done

LESSON=$E2E_LOG_DIR/three.txt
SENTENCES=("I like green apples." "Where is the station?" "See you tomorrow.")
printf '%s~我喜欢青苹果。\n%s~车站在哪里？\n%s~明天见。\n' "${SENTENCES[@]}" >"$LESSON"
e2e_synthesise_readings "${SENTENCES[@]}"

e2e_start_learner_microphone
e2e_start_xvfb 1024x768x24
e2e_start_openbox
xdotool mousemove 600 400

# read_next: plays the reading of the sentence its pupil says, once the recording sign shows, and
# waits for vemo's result.
read_next() {
  local at said
  e2e_wait_window '^vemo listens$' 60 >/dev/null || e2e_abort "no recording sign"
  for at in "${!SENTENCES[@]}"; do
    [ -n "$(e2e_find_windows "^(boy|girl) says: ${SENTENCES[$at]//\?/\\?}$")" ] && said=$at
  done
  paplay --device=learner "$E2E_LOG_DIR/reading-${said:-0}.wav" || e2e_abort "paplay failed"
  e2e_vemo_balloon '[0-9]+/[0-9]+\)' 60 >/dev/null || e2e_abort "no result"
  while [ -n "$(e2e_find_windows '^vemo says: .*[0-9]+/[0-9]+\)')" ]; do sleep 0.1; done
}

e2e_start_in "$SOURCE_DIR/data" "$PROGRAM" "$LESSON"
pid=$E2E_LAST_PID
e2e_wait_window '^Form1$' 30 >/dev/null || e2e_abort "no window titled Form1"
e2e_wait_window '^vemo says: 学 习 完 毕$' 120 >/dev/null || e2e_abort "the lesson was not read"
sleep 2
e2e_click_button 短
sentence_window=$(e2e_wait_window '^英语学习$' 5) || e2e_abort "no window titled 英语学习"

xdotool key F8
for _ in "${SENTENCES[@]}"; do read_next; done
e2e_vemo_balloon '^You said [0-9]+ of 3 sentences\.$' 60 >/dev/null || e2e_abort "no drill summary"

sqlite3 "$STORE" "UPDATE sentences SET due = 0;" || e2e_abort "could not make the sentences due"
xdotool windowactivate --sync "$sentence_window" key F7
for _ in "${SENTENCES[@]}"; do read_next; done
e2e_vemo_balloon "^That's all for now\.$" 60 >/dev/null || e2e_abort "the review did not end"

# The learner's menu opens on a right click on a button of the bar, which rolls out under the
# pointer; 学习记录 is the menu's sixth entry.
xdotool mousemove 358 0
sleep 1
xdotool mousemove 358 10 click 3
sleep 1
xdotool key Down Down Down Down Down Down Return
progress_window=$(e2e_wait_window '^学习记录' 10) || e2e_abort "the progress window did not open"
sleep 2
wmctrl -i -c "$progress_window"
wmctrl -i -c "$sentence_window"
xdotool mousemove 600 400
sleep "$REST_SECONDS"
e2e_alive "$pid" || e2e_abort "the program ended"
[ -z "$(e2e_find_windows '^(英语学习|学习记录)')" ] || e2e_abort "a practice window stayed open"
awk '/^VmRSS:/ {rss = $2} /^VmHWM:/ {hwm = $2}
     END {printf "practice: resident %.1f MiB (peak %.1f MiB)\n", rss / 1024, hwm / 1024}' \
  "/proc/$pid/status"
e2e_finish
