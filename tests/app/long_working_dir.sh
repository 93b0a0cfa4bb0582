#!/usr/bin/env bash
# A working directory too long for the 254-byte paths: start-up takes the
# fallback paths, as when the seen archive does not open, and never a cut
# path. Usage: long_working_dir.sh RUNNER FIXTURES FALLBACK_DIR
set -euo pipefail
runner=$1 fixtures=$2 fallback=$3
top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT
deep="$top/$(printf 'd%.0s' $(seq 120))/$(printf 'e%.0s' $(seq 120))"
mkdir -p "$deep"
cp -R "$fixtures/basic/." "$deep/"
[ -f "$deep/data/filme.cta" ]
[ ${#deep} -gt 234 ]
transcript=$(cd "$deep" && printf 'show state\n' | "$runner" 2>/dev/null | grep -v '^message' | grep -v '^end$' || true)
expected="seen-file $fallback/data/filme.cta
tosee-file $fallback/data/tosee.cta
seen-comments $fallback/data/comments/filme
tosee-comments $fallback/data/comments/tosee"
actual=$(grep -E '^(seen|tosee)-' <<<"$transcript")
if [ "$actual" != "$expected" ]; then
  echo "expected the fallback paths, got:"
  echo "$actual"
  exit 1
fi
echo "a working directory of ${#deep} bytes gives the fallback paths"
