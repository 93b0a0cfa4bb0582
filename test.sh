#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and
# runs every test through CTest; then the same suite again in a build with
# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer, and each
# fuzz target for 30 seconds (README, "Robustness").
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh test
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCINETROVE_WERROR=ON
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
tools/ci-sanitize.sh build-asan
tools/fuzz.sh 30 build-fuzz
