#!/usr/bin/env bash
# Save onto a full disk: the seen archive fits in the last free page and is
# written, the large to-see archive does not. Save says so once, the to-see
# archive stays byte for byte, the program goes on, and once there is room
# again a Save writes it and keeps the old file as tosee.cta~.
# Usage: disk_full.sh RUNNER TESTS_DIR FALLBACK_DIR
set -u
. "$(dirname "$0")/namespace.sh"
runner=$1
fixtures=$2/scenarios/fixtures

tmp=$(mktemp -d)
trap 'umount "$tmp/disk" 2>/dev/null; rm -rf "$tmp"' EXIT
mkdir "$tmp/disk"
mount_tmpfs "$tmp/disk" 1m
cd "$tmp/disk"
cp -R "$fixtures/basic/." .

# A to-see list of 600 films (about 40 KB), saved in list order, so that a
# Save writes it back byte for byte.
{
  printf 'cinetrove\r\nquonwerk\r\n600\r\n'
  for ((i = 599; i >= 0; i--)); do
    printf 'Film %04d\r\nTitlul filmului %04d\r\nRomania\r\n1965\r\nRegizor\r\nActori, actori, actori\r\n3 1\r\n' $i $i
  done
} >data/tosee.cta
cp data/tosee.cta "$tmp/tosee.orig"

# Fill the disk, then free exactly one page.
dd if=/dev/zero of=room bs=4096 count=1 status=none
dd if=/dev/zero of=filler bs=4096 status=none 2>/dev/null
rm room

run_scenario "message cinetrove: Nu se pot salva fisierele!
message Count: Numarul filmelor vazute deja este 8.\nNumarul filmelor de vazut este 600.
end" <<'SCENARIO'
click 2009
ok
click 2005
ok
SCENARIO

cmp data/tosee.cta "$tmp/tosee.orig" || { echo "the to-see archive changed"; exit 1; }
cmp data/filme.cta "$fixtures/saved/filme.cta" || { echo "the seen archive was not written"; exit 1; }
cmp data/filme.cta~ "$fixtures/basic/data/filme.cta" || { echo "no backup of the seen archive"; exit 1; }
entries=$(ls -A data | tr '\n' ' ')
[ "$entries" = "comments filme.cta filme.cta~ tosee.cta " ] || { echo "left in data/: $entries"; exit 1; }

# Room again: the same Save goes through.
rm filler
run_scenario "end" <<'SCENARIO'
click 2009
SCENARIO
cmp data/tosee.cta "$tmp/tosee.orig" || { echo "the to-see archive was not written back"; exit 1; }
cmp data/tosee.cta~ "$tmp/tosee.orig" || { echo "no backup of the to-see archive"; exit 1; }
echo "1 passed, 0 failed"
