#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end: the learner's turn on the real program. A PulseAudio server of the test's own has
# two null sinks: "speakers", where the characters' voices go, and "learner", whose monitor the
# default source "microphone" is made from (the program's sound input lists no monitors), so
# what is played into "learner" is what the microphone hears, and the characters' own voices
# are not. After the opening scene, "短" shows the sentence window, a sentence is typed and F5
# asks for the learner's turn; once vemo has said "Your turn!", the recording sign ("vemo
# listens") shows, and at once a reading of the sentence synthesised by flite, its first word
# at its very start, is played into "learner".
# vemo's balloon then shows the sentence with the score "n/m", all words heard, above his
# "Well done!", placed clear of the sentence window and the bar. A screenshot of the result
# balloon goes to BUILD_DIR/screenshots/your-turn-result.png.
# Usage: test_your_turn.sh BUILD_DIR SOURCE_DIR
set -u

. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

SHOTS=$BUILD_DIR/screenshots
SENTENCE="We usually have dinner at seven o'clock."
WORDS=7
[ -e "$BUILD_DIR/bin/chengmu_listening.so" ] ||
  e2e_abort "$BUILD_DIR/bin/chengmu_listening.so is missing: build the project first"
for needed in pulseaudio pactl paplay flite sox; do
  command -v "$needed" >/dev/null || e2e_abort "$needed is needed: run tools/setup.sh"
done

# The reading, made before anything starts: its first word comes at once.
READING=$E2E_LOG_DIR/reading.wav
flite -voice rms -t "$SENTENCE" -o "$READING" || e2e_abort "could not synthesise the reading"

e2e_start_learner_microphone

e2e_start_xvfb 1024x768x24
xdotool mousemove 330 10
e2e_start_in "$SOURCE_DIR/data" "$PROGRAM"
program_pid=$E2E_LAST_PID
e2e_wait_window '^Form1$' 30 >/dev/null || e2e_abort "no window titled Form1"
e2e_wait_window '^girl says: How are you!$' 90 >/dev/null ||
  e2e_abort "the opening scene did not finish"
sleep 3

e2e_click_button 短
e2e_wait_window '^英语学习$' 5 >/dev/null || e2e_abort "no window titled 英语学习"
xdotool type --delay 50 "$SENTENCE"
sleep 0.3
xdotool key F5
e2e_vemo_balloon '^Your turn!$' 10 >/dev/null || e2e_abort "vemo did not say \"Your turn!\" after F5"
# Recording begins once he has said it; the recording sign beside him says "speak now" once the
# microphone delivers sound, and the reading is played the moment the sign maps.
e2e_wait_window '^vemo listens$' 10 >/dev/null || e2e_abort "no recording sign after \"Your turn!\""
[ -n "$(pactl list short source-outputs)" ] ||
  e2e_fail "the recording sign showed before the program's record stream was connected"
paplay --device=learner "$READING" || e2e_fail "paplay could not play the reading"

result=$(e2e_vemo_balloon '[0-9]+/[0-9]+' 60) || e2e_abort "no score in vemo's balloon"
e2e_log "result balloon: $result"
sleep 0.5
e2e_screenshot "$SHOTS/your-turn-result.png"
# The result balloon covers neither the sentence window nor the bar.
overlap() {
  local ax ay aw ah bx by bw bh
  read -r ax ay aw ah < <(e2e_window_geometry "$1")
  read -r bx by bw bh < <(e2e_window_geometry "$2")
  ((ax < bx + bw && bx < ax + aw && ay < by + bh && by < ay + ah)) && echo overlap
}
balloon=$(e2e_find_windows '^vemo says: .*[0-9]+/[0-9]+' | head -n 1)
for window in '^英语学习$' '^Form1$'; do
  e2e_expect_eq "$(overlap "$balloon" "$(e2e_find_windows "$window" | head -n 1)")" "" \
    "the result balloon against the window $window"
done
score=$(grep -o '[0-9]\+/[0-9]\+' <<<"$result" | tail -n 1)
e2e_expect_eq "$score" "$WORDS/$WORDS" "score of a reading of the whole sentence"
[[ $result == *"Well done!"* ]] || e2e_fail "vemo did not say \"Well done!\" with the score"

e2e_alive "$program_pid" || e2e_fail "the program ended by itself"
# Known and harmless on a test machine: no session bus directory.
e2e_expect_quiet "$E2E_LOG_DIR/chengmu.err" '^QStandardPaths: XDG_RUNTIME_DIR'
e2e_finish
