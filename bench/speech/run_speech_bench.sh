#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Figures for the voices: synthesis time / audio time, and the word error rate of an offline
# recogniser (pocketsphinx, trained on adult voices: compare voices of one character, not
# characters); then the time from play() to the first audio frame leaving the mixer, through a
# sound server of its own (a PulseAudio null sink) when pulseaudio is installed.
# "course" measures instead the cast's own voices over every sentence of the course in
# data/lessons, to find words a voice makes unintelligible; "distinct" how far apart the cast's
# voices are (median pitch and brightness over the 25 sentences, no recogniser needed).
# VOICES (voices part only) replaces voices.tsv, to try a few candidates.
#
#   bench/speech/run_speech_bench.sh [BUILD_DIR [all|voices|latency|course|distinct [VOICES]]]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
build_dir=${1:-$source_dir/build}
part=${2:-all}

cmake --build "$build_dir" --target speech_bench
bench=$build_dir/bin/speech_bench
work=$(mktemp -d)
pulse_pid=""
cleanup() {
  if [ -n "$pulse_pid" ]; then
    kill "$pulse_pid" 2>/dev/null
    wait "$pulse_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# bench_voices VOICES SENTENCES [--misheard]: with --misheard, also what was heard in every
# sentence some voice was misheard in.
bench_voices() {
  "$source_dir/tools/setup.sh" --bench  # the recogniser, needed only here
  echo "== synthesis time / audio time"
  "$bench" voices "$1" "$2" "$work/wavs"
  echo "== word error rate of pocketsphinx over $(grep -c . "$2") sentences"
  find "$work/wavs" -name '*.wav' -print0 |
    xargs -0 -P 2 -I{} sh -c \
      'pocketsphinx_continuous -infile "$1" -logfn /dev/null >"${1%.wav}.txt" 2>/dev/null' _ {}
  python3 "$here/word_error_rate.py" "$1" "$2" "$work/wavs" "${3:-}"
}

bench_course() {
  python3 "$here/course_inputs.py" "$source_dir" "$work/cast.tsv" "$work/course.txt"
  bench_voices "$work/cast.tsv" "$work/course.txt" --misheard
}

bench_distinct() {
  python3 "$here/course_inputs.py" "$source_dir" "$work/cast.tsv" "$work/course.txt"
  "$bench" voices "$work/cast.tsv" "$here/sentences.txt" "$work/wavs" >/dev/null
  echo "== the cast's voices over $(grep -c . "$here/sentences.txt") sentences"
  python3 "$here/voice_features.py" "$work/cast.tsv" "$work/wavs"
}

# A PulseAudio server of our own in a folder of our own, so no other server is touched.
start_sound_server() {
  command -v pulseaudio >/dev/null || return 0
  export PULSE_RUNTIME_PATH=$work/pulse PULSE_STATE_PATH=$work/pulse
  export PULSE_SERVER=unix:$work/pulse/native
  mkdir -p "$PULSE_RUNTIME_PATH"
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
    --load="module-native-protocol-unix auth-anonymous=1" \
    --load="module-null-sink sink_name=bench" >"$work/pulse.log" 2>&1 &
  pulse_pid=$!
  for _ in $(seq 50); do
    [ -S "$PULSE_RUNTIME_PATH/native" ] && break
    sleep 0.1
  done
}

bench_latency() {
  echo "== play() to first frame mixed"
  start_sound_server
  "$bench" latency 50
}

case $part in
  course) bench_course; exit ;;
  distinct) bench_distinct; exit ;;
esac
[ "$part" = latency ] || bench_voices "${3:-$here/voices.tsv}" "$here/sentences.txt"
[ "$part" = voices ] || bench_latency
