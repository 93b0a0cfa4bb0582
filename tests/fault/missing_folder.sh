#!/usr/bin/env bash
# Save when the archives' folder does not exist: started where there is no
# data/ and with no catalogue in the fallback directory either (an empty file
# system is mounted over it when it exists), the program says it cannot open
# the files, then that it cannot save them, goes on, and creates nothing.
# Usage: missing_folder.sh RUNNER TESTS_DIR FALLBACK_DIR
set -u
. "$(dirname "$0")/namespace.sh"
runner=$1
fallback=$3

tmp=$(mktemp -d)
trap 'umount "$fallback" 2>/dev/null; rm -rf "$tmp"' EXIT
if [ -d "$fallback" ]; then
  mount_tmpfs "$fallback" 64k
fi
mkdir "$tmp/work"
cd "$tmp/work"

run_scenario "message cinetrove: Nu se pot deschide fisierele!
message cinetrove: Nu se pot salva fisierele!
message Count: Numarul filmelor vazute deja este 0.\nNumarul filmelor de vazut este 0.
end" <<'SCENARIO'
ok
click 2009
ok
click 2005
ok
SCENARIO

[ -z "$(ls -A .)" ] || { echo "created here: $(ls -A .)"; exit 1; }
if [ -d "$fallback" ]; then
  [ -z "$(ls -A "$fallback")" ] || { echo "created in the fallback: $(ls -A "$fallback")"; exit 1; }
fi
echo "1 passed, 0 failed"
