#!/usr/bin/env bash
# Builds Cinetrove and starts it on the sample catalogue. The sample is
# copied once into work/ (not tracked), so Save never changes tracked files.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh run
# The default preset without the benchmarks, which need packages of the tests.
cmake --preset default -DCINETROVE_BENCH=OFF >/dev/null
cmake --build --preset default -j"$(nproc)" --target cinetrove
if [ ! -d work/data ]; then
  mkdir -p work
  cp -r sample/data work/
fi
cd work
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: starting the program under Xvfb." >&2
  exec xvfb-run -a ../build/cinetrove
fi
exec ../build/cinetrove
