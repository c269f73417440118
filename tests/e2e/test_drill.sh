#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end: a drill with no click. The microphone is a null sink's monitor, as in
# test_your_turn.sh. The program opens a lesson of three sentences given on its command line and
# reads it to its end; then "短" shows the sentence window and F8 drills the lesson from its
# first sentence. For each sentence: its pupil says it, vemo thinks "N/3" and its Chinese, and
# when the recording sign shows a reading of it (flite) is played into the microphone; vemo's
# result follows, and the next sentence comes by itself. At the end vemo says "You said 3 of 3
# sentences." and the three readings are kept. Each result's delay after the end of its reading
# is logged ("result after: S s"); the endpointer waits for a second of silence first.
# DRILL_LESSON names another lesson (UTF-8 or code page 936, "English~中文" lines) to drill;
# bench/drill_bench.sh runs a course lesson so. Screenshots: BUILD_DIR/screenshots/drill-*.png.
# Usage: test_drill.sh BUILD_DIR SOURCE_DIR
set -u

. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

SHOTS=$BUILD_DIR/screenshots
[ -e "$BUILD_DIR/bin/chengmu_listening.so" ] ||
  e2e_abort "$BUILD_DIR/bin/chengmu_listening.so is missing: build the project first"
for needed in pulseaudio pactl paplay flite iconv; do
  command -v "$needed" >/dev/null || e2e_abort "$needed is needed: run tools/setup.sh"
done

LESSON=${DRILL_LESSON:-$E2E_LOG_DIR/three.txt}
if [ -z "${DRILL_LESSON:-}" ]; then
  printf 'I like green apples.~我喜欢青苹果。\nWhere is the station?~车站在哪里？\nSee you tomorrow.~明天见。\n' \
    >"$LESSON"
fi
mapfile -t SENTENCES < <( (iconv -f utf-8 -t utf-8 "$LESSON" 2>/dev/null || iconv -f gbk -t utf-8 "$LESSON") |
  tr -d '\r' | grep '~' | cut -d'~' -f1)
COUNT=${#SENTENCES[@]}
e2e_synthesise_readings "${SENTENCES[@]}"

e2e_start_learner_microphone
e2e_start_xvfb 1024x768x24
xdotool mousemove 330 10

e2e_start_in "$SOURCE_DIR/data" "$PROGRAM" "$LESSON"
program_pid=$E2E_LAST_PID
e2e_wait_window '^Form1$' 30 >/dev/null || e2e_abort "no window titled Form1"
e2e_wait_window '^vemo says: 学 习 完 毕$' $((90 + 10 * COUNT)) >/dev/null ||
  e2e_abort "the lesson was not read to its end"
sleep 2
e2e_click_button 短
e2e_wait_window '^英语学习$' 5 >/dev/null || e2e_abort "no window titled 英语学习"
xdotool key F8

# read_at AT: plays the reading of sentence AT once the recording sign shows and prints vemo's
# result, logging how long it took after the end of the reading.
read_at() {
  e2e_wait_window '^vemo listens$' 60 >/dev/null || e2e_abort "no recording sign at $(($1 + 1))"
  paplay --device=learner "$E2E_LOG_DIR/reading-$1.wav" || e2e_fail "paplay failed"
  local ended result
  ended=$(date +%s.%N)
  result=$(e2e_vemo_balloon '[0-9]+/[0-9]+\)' 60) || e2e_abort "no result at $(($1 + 1))"
  e2e_log "result after: $(awk "BEGIN { printf \"%.2f\", $(date +%s.%N) - $ended }") s: $result"
  # The next turn waits for this answer to end.
  while [ -n "$(e2e_find_windows '^vemo says: .*[0-9]+/[0-9]+\)')" ]; do sleep 0.1; done
  echo "$result"
}

for at in "${!SENTENCES[@]}"; do
  e2e_wait_window "^vemo thinks: $((at + 1))/$COUNT " 60 >/dev/null ||
    e2e_fail "vemo did not show $((at + 1))/$COUNT"
  result=$(read_at "$at")
  [ "$at" = 0 ] && e2e_screenshot "$SHOTS/drill-first.png"
  # A miss is tried once more.
  [[ $result =~ \(([0-9]+)/([0-9]+)\) ]] && [ "${BASH_REMATCH[1]}" != "${BASH_REMATCH[2]}" ] &&
    read_at "$at" >/dev/null
done
summary=$(e2e_vemo_balloon '^You said [0-9]+ of [0-9]+ sentences?\.$' 60) ||
  e2e_abort "vemo did not sum the drill up"
e2e_screenshot "$SHOTS/drill-end.png"
e2e_log "summary: $summary"
if [ -z "${DRILL_LESSON:-}" ]; then
  e2e_expect_eq "$summary" "vemo says: You said 3 of 3 sentences." "the drill's summary"
  e2e_expect_eq "$("$PROGRAM" --progress | grep '^readings ')" "readings 3" \
    "readings kept by the drill"
fi
e2e_alive "$program_pid" || e2e_fail "the program ended by itself"
e2e_finish
