#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/ and runs
# the whole suite there (the environment for the sanitizers comes from tools/sanitizers.cmake).
# Prints how long the build and the tests took.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/setup.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
[ -f build-asan/build.ninja ] ||
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHENGMU_SANITIZE=ON \
    "${launcher[@]}" >/dev/null
started=$SECONDS
cmake --build build-asan -j"$(nproc)"
echo "sanitized build: $((SECONDS - started)) s"
started=$SECONDS
cd build-asan
status=0
ctest --output-on-failure -j"$(nproc)" --timeout 900 || status=$?
echo "sanitized tests: $((SECONDS - started)) s"
exit "$status"
