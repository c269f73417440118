#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up, builds and runs every test: unit, widget (offscreen), fuzz smoke and end-to-end (Xvfb).
set -euo pipefail
cd "$(dirname "$0")"
./tools/build.sh
cd build
ctest --output-on-failure -j"$(nproc)" --timeout 600
