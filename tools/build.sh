#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds the project in build/ (after installing what is missing).
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/setup.sh
# Configured once; after that the build itself reruns CMake when a CMakeLists.txt changes.
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
