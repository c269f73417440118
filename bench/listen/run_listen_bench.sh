#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Figures for the reading scorer: makes the readings (once; kept in AUDIO_DIR) and scores them,
# niced so that builds beside it keep their cores; then the same over recorded human speech
# (make_real_audio.py, fetched once into BUILD_DIR/real_listen_audio), skipped with a message
# when its packages cannot be fetched. Further arguments go to listen_bench (grammar weights to
# try: --other-than-word P --phone-instead-of-word P).
#
#   bench/listen/run_listen_bench.sh [BUILD_DIR [AUDIO_DIR [listen_bench options]]]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
build_dir=${1:-$source_dir/build}
audio_dir=${2:-$build_dir/listen_audio}
shift $(($# < 2 ? $# : 2))

cmake --build "$build_dir" --target listen_bench speech_bench
if [ ! -s "$audio_dir/items.tsv" ] || [ "$here/sentences.tsv" -nt "$audio_dir/items.tsv" ] ||
  [ "$source_dir/art/girl/character.json" -nt "$audio_dir/items.tsv" ] ||
  [ "$source_dir/art/boy/character.json" -nt "$audio_dir/items.tsv" ]; then
  nice -n 5 "$here/make_audio.sh" "$audio_dir" "$build_dir"
fi
echo "== synthetic voices"
nice -n 5 "$build_dir/bin/listen_bench" "$audio_dir/items.tsv" "$@"

real_dir=$build_dir/real_listen_audio
echo
echo "== recorded human speech"
if [ ! -s "$real_dir/items.tsv" ] || [ "$here/make_real_audio.py" -nt "$real_dir/items.tsv" ]; then
  nice -n 5 python3 "$here/make_real_audio.py" "$real_dir" || exit 0
fi
nice -n 5 "$build_dir/bin/listen_bench" "$real_dir/items.tsv" "$@"
