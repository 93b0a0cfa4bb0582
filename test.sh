#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and
# runs every test through CTest; then the same suite again in a build with
# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer, and each
# fuzz target for 30 seconds (README, "Robustness").
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh test
cmake --preset default
cmake --build --preset default -j"$(nproc)"
ctest --preset default -j"$(nproc)"
tools/ci-sanitize.sh
tools/fuzz.sh 30
