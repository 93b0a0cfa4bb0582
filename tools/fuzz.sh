#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time on
# a copy of its seed corpus (the corpus in the repository is never changed).
# Usage: tools/fuzz.sh [SECONDS_PER_TARGET] [BUILD_DIR]     (default 30, build-fuzz)
# A crash stops the run with the input saved as BUILD_DIR/run/NAME/crash-*;
# keep it as fuzz/regressions/NAME/<short-name> once fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
build=${2:-build-fuzz}
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCINETROVE_WERROR=ON -DCINETROVE_FUZZ=ON >/dev/null
cmake --build "$build" -j"$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The targets' scratch files, in memory where possible.
shm=/dev/shm
[ -d "$shm" ] || shm=${TMPDIR:-/tmp}
export CINETROVE_FUZZ_TMP=$(mktemp -d "$shm/cinetrove-fuzz-run.XXXXXX")
trap 'rm -rf "$CINETROVE_FUZZ_TMP"' EXIT
for target in archive archive_check comment codepage dialog_integer; do
  run="$build/run/$target"
  rm -rf "$run"
  mkdir -p "$run/corpus"
  cp fuzz/corpus/"$target"/* "$run/corpus/"
  log="$run/fuzz.log"
  echo "fuzz_$target: ${seconds}s"
  if ! "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$run/" \
        "$run/corpus" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz_$target FAILED; input kept in $run/"
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1)
  echo "fuzz_$target: $runs executions, $cov, no crash, no leak"
done
echo "fuzz: 5 passed, 0 failed"
