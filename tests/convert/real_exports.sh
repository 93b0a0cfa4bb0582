#!/usr/bin/env bash
# cinetrove-convert on the real exports beside the clone (never copied into
# it): every file imports into a fresh catalogue, every film arrives (no two
# distinct films merged: the archive holds as many films as the file has
# distinct films) and no row that is no film is taken. The counts expected
# are worked out here from the files themselves, by python3's csv reader.
# Every dated entry of a Letterboxd diary becomes a row of the catalogue's
# diary.
# Exits 77 (skipped) when the folder is not there.
# Usage: real_exports.sh PROGRAM DIR
set -euo pipefail
convert=$1
dir=$2
[ -d "$dir" ] || { echo "no $dir: skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for file in "$dir"/*.csv "$dir"/*.zip; do
  [ -e "$file" ] || continue
  name=$(basename "$file")
  case $name in lb-*) kind=letterboxd ;; *) kind=imdb ;; esac
  "$convert" import "$kind" "$file" --into "$work/$name" >"$work/$name.out"
  films=$(sed -n 's/^Seen list: \([0-9]*\) added.*/\1/p' "$work/$name.out")
  tosee=$(sed -n 's/^To-see list: \([0-9]*\) added/\1/p' "$work/$name.out")
  left=$(sed -n 's/^Left out, not films: \([0-9]*\)/\1/p' "$work/$name.out")
  diary=$(sed -n 's/^Diary: \([0-9]*\) dated viewings added.*/\1/p' "$work/$name.out")
  in_archives=$("$convert" check "$work/$name" | sed -n 's/.*whole, \([0-9]*\) films/\1/p' | awk '{ n += $1 } END { print n + 0 }')
  python3 - "$file" "$kind" "${films:-0}" "${tosee:-0}" "${left:-0}" "$in_archives" "${diary:-0}" <<'PY' || status=1
import csv, io, re, sys, zipfile
path, kind, seen, tosee, left, archived, diary = sys.argv[1], sys.argv[2], *map(int, sys.argv[3:])
NOT_FILM = re.compile(r'series|serie|episod|game|gioco|special|podcast|music', re.I)

def rows(data):
    try:
        text = data.decode('utf-8-sig')
    except UnicodeDecodeError:
        text = data.decode('cp1252')
    return list(csv.DictReader(io.StringIO(text)))

if kind == 'imdb':
    table = rows(open(path, 'rb').read())
    type_of = lambda r: r.get('Title Type', r.get('Title type', ''))
    rated = lambda r: (r.get('Your Rating') or r.get('You rated') or '').strip()
    films = {r.get('Const') or r.get('const') for r in table if not NOT_FILM.search(type_of(r))}
    want_seen = len({r.get('Const') or r.get('const') for r in table if not NOT_FILM.search(type_of(r)) and rated(r)})
    want = (want_seen, len(films) - want_seen, len(table) - len(films), 0)
    got = (seen, tosee, left, diary)
    read = len(table)
else:
    z = zipfile.ZipFile(path)
    files = {n: rows(z.read(n)) for n in z.namelist() if '/' not in n}
    keys = set()
    for n in ('watched.csv', 'ratings.csv', 'diary.csv', 'reviews.csv'):
        keys |= {(r['Name'], r['Year']) for r in files.get(n, [])}
    uris = {r['Letterboxd URI'] for n in ('watched.csv', 'ratings.csv') for r in files.get(n, [])}
    watch = {r['Letterboxd URI'] for r in files.get('watchlist.csv', []) if r['Letterboxd URI'] not in uris}
    dated = [r for r in files.get('diary.csv', []) if re.fullmatch(r'\d{4}-\d\d-\d\d', r['Watched Date'] or r['Date'])]
    want = (len(keys), len(watch), 0, len(dated))
    got = (seen, tosee, left, diary)
    read = sum(len(t) for t in files.values())
ok = got == want and archived == seen + tosee
print('%-34s rows %5d: seen %4d, to see %4d, left out %3d, in the archives %4d, diary %4d%s' % (
    path.rsplit('/', 1)[-1], read, seen, tosee, left, archived, diary, '' if ok else '  EXPECTED %r' % (want,)))
sys.exit(0 if ok else 1)
PY
done
exit $status
