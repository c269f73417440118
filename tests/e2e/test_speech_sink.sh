#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end: the characters' speech reaches the sound server. Starts a PulseAudio server of its
# own with a null sink, starts the program, whose opening scene has the host speak, records the
# sink's monitor and checks that what was recorded is not silence.
# Usage: test_speech_sink.sh BUILD_DIR SOURCE_DIR
set -u

BUILD_DIR=$(cd "$1" && pwd)
SOURCE_DIR=$(cd "$2" && pwd)
E2E_LOG_DIR=$BUILD_DIR/e2e-logs/test_speech_sink
rm -rf "$E2E_LOG_DIR" && mkdir -p "$E2E_LOG_DIR"
. "$SOURCE_DIR/tests/e2e/lib.sh"

e2e_require_program "$BUILD_DIR"
command -v pulseaudio >/dev/null && command -v parec >/dev/null ||
  e2e_abort "pulseaudio and parec are needed: run tools/setup.sh"

# A sound server of our own, in a folder of our own, so that no other server is touched.
export PULSE_RUNTIME_PATH=$E2E_LOG_DIR/pulse PULSE_STATE_PATH=$E2E_LOG_DIR/pulse
export PULSE_SERVER=unix:$PULSE_RUNTIME_PATH/native
mkdir -p "$PULSE_RUNTIME_PATH"
e2e_start pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
  --load="module-native-protocol-unix auth-anonymous=1" \
  --load="module-null-sink sink_name=speech" --load="module-always-sink"
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null 2>&1 || e2e_abort "the PulseAudio server did not start"
pactl set-default-sink speech

RECORDING=$E2E_LOG_DIR/monitor.raw
parec --device=speech.monitor --format=s16le --channels=1 --rate=16000 --raw >"$RECORDING" &
E2E_PIDS+=("$!")

e2e_start_xvfb
(cd "$SOURCE_DIR/data" && exec "$PROGRAM") >"$E2E_LOG_DIR/chengmu.out" \
  2>"$E2E_LOG_DIR/chengmu.err" &
E2E_PIDS+=("$!")

e2e_wait_window '^vemo says: ' 60 >/dev/null || e2e_abort "vemo never spoke"
sleep 4

loudness=$(od -An -v -t d2 "$RECORDING" |
  awk '{ for (i = 1; i <= NF; i++) { sum += $i * $i; n++ } } END { print n ? int(sqrt(sum / n)) : 0 }')
e2e_log "recorded $(($(stat -c %s "$RECORDING") / 32000)) s, root mean square $loudness"
[ "$loudness" -gt 100 ] || e2e_fail "the sound server heard only silence (root mean square $loudness)"
grep -q "speak silently" "$E2E_LOG_DIR/chengmu.err" &&
  e2e_fail "the program found no sound output: $(cat "$E2E_LOG_DIR/chengmu.err")"
e2e_finish
