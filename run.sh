#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up, builds and starts the program from data/, where its help texts and sample lessons are.
set -euo pipefail
cd "$(dirname "$0")"
if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: no X display (DISPLAY is not set); start one, e.g. 'Xvfb :5 -noreset & DISPLAY=:5 ./run.sh'" >&2
  exit 1
fi
./tools/build.sh
cd data
exec ../build/bin/chengmu
