#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end: the learner's progress kept through a crash, and a review of the sentences due.
# The microphone is a null sink's monitor, as in test_your_turn.sh. A typed sentence is read
# with a word left out; the moment the result shows, the program is killed with SIGKILL. The
# reading is kept: `chengmu --progress` counts it and `--export-progress` has its row, rated
# Again. A second sentence is added to the store as a card, both are made due, and the program
# is started again: F7 in the sentence window reviews them, each said by a pupil, read whole by
# the learner and answered by vemo, then "That's all for now.". Screenshots go to
# BUILD_DIR/screenshots/review-*.png.
# Usage: test_progress_review.sh BUILD_DIR SOURCE_DIR
set -u

. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

SHOTS=$BUILD_DIR/screenshots
FIRST="I like green apples."
SECOND="We usually have dinner at seven o'clock."
STORE=$XDG_DATA_HOME/chengmu/progress.db
[ -e "$BUILD_DIR/bin/chengmu_listening.so" ] ||
  e2e_abort "$BUILD_DIR/bin/chengmu_listening.so is missing: build the project first"
for needed in pulseaudio pactl paplay flite sqlite3; do
  command -v "$needed" >/dev/null || e2e_abort "$needed is needed: run tools/setup.sh"
done

flite -voice rms -t "I like apples." -o "$E2E_LOG_DIR/first-short.wav" &&
  flite -voice rms -t "$FIRST" -o "$E2E_LOG_DIR/first.wav" &&
  flite -voice rms -t "$SECOND" -o "$E2E_LOG_DIR/second.wav" ||
  e2e_abort "could not synthesise the readings"

e2e_start_learner_microphone
e2e_start_xvfb 1024x768x24
xdotool mousemove 330 10

# start_after_greeting: starts the program and waits for the end of its opening scene.
start_after_greeting() {
  e2e_start_in "$SOURCE_DIR/data" "$PROGRAM"
  program_pid=$E2E_LAST_PID
  e2e_wait_window '^Form1$' 30 >/dev/null || e2e_abort "no window titled Form1"
  e2e_wait_window '^girl says: How are you!$' 90 >/dev/null ||
    e2e_abort "the opening scene did not finish"
  sleep 3
  e2e_click_button 短
  e2e_wait_window '^英语学习$' 5 >/dev/null || e2e_abort "no window titled 英语学习"
}

# read_when_listening WAV: plays WAV into the microphone once the recording sign shows.
read_when_listening() {
  e2e_wait_window '^vemo listens$' 30 >/dev/null || e2e_abort "no recording sign"
  paplay --device=learner "$1" || e2e_fail "paplay could not play $1"
  # The sign goes once the reading has been heard to its end.
  local deadline=$((SECONDS + 30))
  while [ -n "$(e2e_find_windows '^vemo listens$')" ] && [ "$SECONDS" -lt "$deadline" ]; do
    sleep 0.1
  done
}

start_after_greeting
xdotool type --delay 50 "$FIRST"
sleep 0.3
xdotool key F5
read_when_listening "$E2E_LOG_DIR/first-short.wav"
result=$(e2e_vemo_balloon '[0-9]+/[0-9]+' 60) || e2e_abort "no score in vemo's balloon"
kill -9 "$program_pid"
e2e_log "killed after: $result"

summary=$("$PROGRAM" --progress) || e2e_fail "--progress failed after the crash"
e2e_expect_eq "$(grep '^readings ' <<<"$summary")" "readings 1" "readings kept through SIGKILL"
"$PROGRAM" --export-progress "$E2E_LOG_DIR/progress.csv" || e2e_fail "--export-progress failed"
row=$(sed -n 2p "$E2E_LOG_DIR/progress.csv" | tr -d '\r')
[[ $row == *",$FIRST,,3,4,green,Again" ]] || e2e_fail "exported row: $row"

sqlite3 "$STORE" "INSERT INTO sentences(key, english, chinese, state, step, stability,
  difficulty, due, last_review) VALUES('we usually have dinner at seven o''clock',
  '$(sed "s/'/''/g" <<<"$SECOND")', '我们通常七点钟吃晚饭。', 2, NULL, 3.0, 5.0, 0, 0);
  UPDATE sentences SET due = 0;" || e2e_abort "could not make the sentences due"
e2e_expect_eq "$("$PROGRAM" --progress | grep '^due ')" "due 2" "sentences due before the review"

start_after_greeting
xdotool key F7
e2e_vemo_balloon '^Two sentences to review\.$' 10 >/dev/null ||
  e2e_abort "vemo did not count the sentences due"
e2e_wait_window "^girl says: ${FIRST//./\\.}$" 30 >/dev/null ||
  e2e_fail "the girl did not say the first sentence due"
read_when_listening "$E2E_LOG_DIR/first.wav"
first=$(e2e_vemo_balloon '[0-9]+/[0-9]+' 60) || e2e_abort "no score for the first review"
e2e_screenshot "$SHOTS/review-first.png"
e2e_wait_window "^boy says: ${SECOND//./\\.}$" 60 >/dev/null ||
  e2e_fail "the boy did not say the second sentence due"
read_when_listening "$E2E_LOG_DIR/second.wav"
e2e_vemo_balloon "^That's all for now\.$" 90 >/dev/null || e2e_fail "the review did not end"
e2e_screenshot "$SHOTS/review-end.png"
e2e_log "first review: $first"

summary=$("$PROGRAM" --progress)
e2e_expect_eq "$(grep '^readings ' <<<"$summary")" "readings 3" "readings after the review"
e2e_expect_eq "$(grep '^due ' <<<"$summary")" "due 0" "sentences due after the review"
e2e_alive "$program_pid" || e2e_fail "the program ended by itself"
e2e_finish
