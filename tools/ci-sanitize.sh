#!/usr/bin/env bash
# Builds everything with AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer and runs the whole CTest suite there, scenario and fault tests
# included. Any report ends the program that made it with a failure, so it
# fails its test. Usage: tools/ci-sanitize.sh [BUILD_DIR]   (default build-asan)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-asan}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCINETROVE_WERROR=ON \
      -DCINETROVE_BENCH=OFF -DCINETROVE_SANITIZE=ON
cmake --build "$build" -j"$(nproc)"

# Leaks inside the system's libraries (fontconfig, Qt's plugins) are theirs
# to fix: tools/lsan.supp names only those libraries, never our code.
export ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_odr_violation=2
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
# package.install builds, installs and starts a Release package of its own,
# without sanitizers; the normal build's suite runs it.
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" -E '^package\.'

