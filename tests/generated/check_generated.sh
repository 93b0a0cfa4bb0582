#!/usr/bin/env bash
# The artwork in res/ and the sample catalogue are made by scripts; the
# committed files must be exactly what those scripts make today, so a change
# to a script that was not run (or a hand edit of a generated file) fails.
# Usage: check_generated.sh SOURCE_DIR
set -eu
root=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
if ! command -v python3 >/dev/null; then
  echo "skipped: python3 is not installed"
  exit 77
fi
mkdir -p "$out/res" "$out/sample"
python3 "$root/tools/art/draw_art.py" "$out/res"
python3 "$root/sample/make_sample.py" "$out/sample"
status=0
for file in toolbar.bmp toolbar@2x.bmp cinetrove.ico $(cd "$out/res" && ls icons/*); do
  cmp "$out/res/$file" "$root/res/$file" || status=1
done
diff -r "$out/sample/data" "$root/sample/data" || status=1
[ $status -eq 0 ] && echo "the artwork and the sample are what their scripts make"
exit $status
