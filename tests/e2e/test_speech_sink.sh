#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end: the characters' speech reaches the sound server. Starts a PulseAudio server of its
# own with a null sink, starts the program, whose opening scene has the host speak, records the
# sink's monitor and checks that what was recorded is not silence.
# Usage: test_speech_sink.sh BUILD_DIR SOURCE_DIR
set -u

. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

command -v pulseaudio >/dev/null && command -v parec >/dev/null ||
  e2e_abort "pulseaudio and parec are needed: run tools/setup.sh"

e2e_start_pulseaudio "module-null-sink sink_name=speech" "module-always-sink"
pactl set-default-sink speech

RECORDING=$E2E_LOG_DIR/monitor.raw
parec --device=speech.monitor --format=s16le --channels=1 --rate=16000 --raw >"$RECORDING" &
E2E_PIDS+=("$!")

e2e_start_xvfb
e2e_start_in "$SOURCE_DIR/data" "$PROGRAM"

e2e_wait_window '^vemo says: ' 60 >/dev/null || e2e_abort "vemo never spoke"
sleep 4

loudness=$(od -An -v -t d2 "$RECORDING" |
  awk '{ for (i = 1; i <= NF; i++) { sum += $i * $i; n++ } } END { print n ? int(sqrt(sum / n)) : 0 }')
e2e_log "recorded $(($(stat -c %s "$RECORDING") / 32000)) s, root mean square $loudness"
[ "$loudness" -gt 100 ] || e2e_fail "the sound server heard only silence (root mean square $loudness)"
grep -q "speak silently" "$E2E_LOG_DIR/chengmu.err" &&
  e2e_fail "the program found no sound output: $(cat "$E2E_LOG_DIR/chengmu.err")"
e2e_finish
