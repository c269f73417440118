#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The drill's figures: a course lesson of 15 sentences drilled hands-free to its summary through a
# null-sink microphone (tests/e2e/test_drill.sh with DRILL_LESSON), and the delay from the end of
# each reading played to vemo's result: the median and the 90th percentile. The endpointer waits
# for a second of silence first, so the goal is at most 1.4 s at the 90th percentile.
#
#   bench/drill_bench.sh [BUILD_DIR [LESSON]]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/.." && pwd)
build_dir=${1:-$source_dir/build}
lesson=$(realpath "${2:-$source_dir/data/lessons/01-greetings.txt}")
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

E2E_LOG_DIR=$logs DRILL_LESSON=$lesson \
  bash "$source_dir/tests/e2e/test_drill.sh" "$build_dir" "$source_dir" 2>"$logs/drill.log" ||
  { tail -n 20 "$logs/drill.log"; exit 1; }
grep -o 'summary: .*' "$logs/drill.log"
grep -o 'result after: [0-9.]*' "$logs/drill.log" | awk '{ print $3 }' | sort -n |
  awk '{ delays[NR] = $1 }
       END {
         p90 = delays[int(0.9 * NR + 0.999)]
         printf "results: %d; delay after the reading: median %.2f s, p90 %.2f s\n",
                NR, delays[int((NR + 1) / 2)], p90
       }'
