#!/usr/bin/env bash
# cinetrove-convert end to end on the made-up fixtures: the IMDb layouts give
# the same films, a Letterboxd export (folder or ZIP) imported twice adds
# nothing the second time, so does a Trakt export (folder or ZIP) with its
# diary rows, export csv then import csv rebuilds the catalogue
# byte for byte, the Tellico file validates and imports back to the same
# catalogue, IMDb rows that are no film are left out, export letterboxd gives
# back the site's ratings, check names the line of each fault and warns of
# lines too long, refusals and dry runs write nothing; the diary takes each
# dated viewing once, watched counts a viewing or moves a film to see with
# its note, stats and check read the diary, a damaged one is kept aside.
# Usage: convert_e2e.sh PROGRAM FIXTURES_DIR
set -euo pipefail
convert=$1
fixtures=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

fail() { echo "FAILED: $*" >&2; exit 1; }
# Every file of a folder with its bytes' checksum, to see that nothing changed.
snapshot() { (cd "$1" && find . -print0 | sort -z | xargs -0 sh -c 'for f; do if [ -f "$f" ]; then echo "$f $(md5sum <"$f")"; else echo "$f"; fi; done' _); }
expect_status() {  # STATUS COMMAND...: runs the command, keeps its output in out/err
  local want=$1; shift
  local got=0
  "$@" >out 2>err || got=$?
  [ "$got" -eq "$want" ] || { cat out err >&2; fail "status $got, not $want: $*"; }
}
# The rating code and viewings of the film of that original title in an archive.
numbers_of() { awk -v title="$1" '{ sub(/\r$/, "") } !n && $0 == title { n = NR } n && NR == n + 6 { print; exit }' "$2"; }
contains() { grep -qF -- "$2" "$1" || { cat "$1" >&2; fail "$1 lacks: $2"; }; }

# --- IMDb: four layouts, the same films -------------------------------------
imdb=$fixtures/imdb
expect_status 0 "$convert" import imdb "$imdb/ratings-2017.csv" --into old
contains out "Converted titles: 1"
contains out "Noapte ★ albă -> Noapte ? albă"
expect_status 0 "$convert" import imdb "$imdb/watchlist-2017.csv" --into old
expect_status 0 "$convert" import imdb "$imdb/ratings-2024.csv" --into new
expect_status 0 "$convert" import imdb "$imdb/list-2024.csv" --into list
contains out "Seen list: 3 added"
contains out "To-see list: 2 added"
cmp old/filme.cta new/filme.cta || fail "the 2017 and 2024 ratings exports differ"
cmp old/filme.cta list/filme.cta || fail "the list export's seen films differ"
cmp old/tosee.cta list/tosee.cta || fail "the watchlist and the list export differ"
grep -qa "Ilinca B$(printf '\xE3')rbat" list/filme.cta || fail "the director is not in Windows-1250"
before=$(snapshot list)
expect_status 0 "$convert" import imdb "$imdb/list-2024.csv" --into list
contains out "Seen list: 0 added"
contains out "Skipped: 5"
[ "$before" = "$(snapshot list)" ] || fail "importing the IMDb list twice changed files"

# --- IMDb: which rows are films, the pre-2017 names, Windows-1252 ---------
expect_status 0 "$convert" import imdb "$imdb/ratings-2015.csv" --into y2015
contains out "Seen list: 2 added"
contains out "To-see list: 1 added"
contains out "Left out, not films: 2"
contains out "Ο φάρος -> O fáros"
expect_status 0 "$convert" import imdb "$imdb/ratings-it-2025.csv" --into it
contains out "Seen list: 5 added"
contains out "Taken, of a type not known: 1"
contains out "千と千尋の神隠し -> La citta incantata (the title, not the original)"
expect_status 0 "$convert" import imdb "$imdb/ratings-it-2025.csv" --into it-all --all-types
contains out "Seen list: 8 added"
expect_status 0 "$convert" import imdb "$imdb/watchlist-2021-cp1252.csv" --into w1252
contains out "watchlist-2021-cp1252.csv: not valid UTF-8, read as Windows-1252"
grep -qa "Am$(printf '\xE9')lie du port" w1252/tosee.cta || fail "the Windows-1252 title is not in the archive"

# --- Letterboxd: the folder and the ZIP, twice -------------------------------
mkdir -p lb/comments/tosee
printf 'cinetrove\r\nquonwerk\r\n1\r\nSalt and Cedar\r\nSare\r\n\r\n2011\r\n\r\n\r\n6 0\r\n' >lb/tosee.cta
printf 'Recommended by Ana.' >"lb/comments/tosee/Salt and Cedar.ctc"
cp -R lb lb-dry
before=$(snapshot lb-dry)
expect_status 0 "$convert" import letterboxd "$fixtures/letterboxd.zip" --into lb-dry --dry-run
contains out "Dry run: nothing was written."
grep -v '^Dry run' out | sed 's|letterboxd\.zip|letterboxd|' >dry-summary
[ "$before" = "$(snapshot lb-dry)" ] || fail "a dry run changed files"
expect_status 0 "$convert" import letterboxd "$fixtures/letterboxd.zip" --into lb
diff <(sed 's|letterboxd\.zip|letterboxd|' out) dry-summary || fail "the dry run's summary differs"
contains out "Seen list: 5 added (1 moved from the to-see list)"
contains out "Unrated, rated \"Bun\": 1"
contains out "Glass Harbour ($fixtures/letterboxd.zip/watchlist.csv, line 3): already in the seen list"
# Salt and Cedar: 4.5 stars = 9 points = Excelent (4), three diary rows.
[ "$(numbers_of 'Salt and Cedar' lb/filme.cta)" = '4 3' ] ||
  fail "Salt and Cedar is not Excelent with 3 viewings"
[ "$(numbers_of Lanterns lb/filme.cta)" = '3 1' ] ||
  fail "Lanterns, only in the diary at 3.5 stars, is not Foarte bun with 1 viewing"
[ ! -e "lb/comments/tosee/Salt and Cedar.ctc" ] || fail "the moved film's to-see comment stayed"
printf 'Recommended by Ana.\r\r\n\r\r\nBetter the second time.\r\r\nThe "harbour" scene, again.' >expected-comment
cmp "lb/comments/filme/Salt and Cedar.ctc" expected-comment || fail "the moved comment is wrong"
before=$(snapshot lb)
expect_status 0 "$convert" import letterboxd "$fixtures/letterboxd" --into lb
contains out "Seen list: 0 added"
contains out "To-see list: 0 added"
[ "$before" = "$(snapshot lb)" ] || fail "importing the Letterboxd export twice changed files"
expect_status 0 "$convert" import letterboxd "$fixtures/letterboxd" --into lb-folder
expect_status 0 "$convert" import letterboxd "$fixtures/letterboxd.zip" --into lb-zip
diff -r lb-folder lb-zip || fail "the folder and the ZIP give different catalogues"

# --- Trakt: the folder, then the ZIP into a fresh folder and again -----------
trakt=$fixtures/trakt
expect_status 0 "$convert" import trakt "$trakt" --into trakt
contains out "Seen list: 5 added"
contains out "To-see list: 2 added"
contains out "Diary: 6 dated viewings added"
contains out "Left out, not films: 2"
contains out "Harbour Lights S01E02: The Pier ($trakt/history-1.json, line 2): episode"
contains out "Salt Road ($trakt/watchlist-movies.json, line 1): already in the seen list"
expect_status 0 "$convert" stats trakt --csv
contains out "list,vazute,5"
contains out "list,de vazut,2"
contains out "viewings,total,8"
# Inception: 9 points = Excelent (4), three plays of which the history dates two.
[ "$(numbers_of Inception trakt/filme.cta)" = '4 3' ] || fail "Inception is not Excelent with 3 viewings"
printf '%s\r\n' 'list,original title,year,date,rewatch,source' \
  'vazute,Quiet Hours,2019,2022-10-15,0,trakt' 'vazute,Salt Road,1998,2022-12-31,0,trakt' \
  'vazute,Inception,2010,2023-01-10,0,trakt' 'vazute,Salt Road,1998,2023-06-01,1,trakt' \
  'vazute,Lanterns of Ash,,2024-02-03,0,trakt' 'vazute,Inception,2010,2024-05-01,1,trakt' >expected-diary
diff expected-diary trakt/diary.csv || fail "the Trakt import's diary rows are wrong"
contains trakt/ids.csv "vazute,Inception,2010,tt1375666 tmdb:27205 trakt:16662,9,2024-05-02,2024-05-01"
contains trakt/ids.csv "de vazut,Glass Harbour,2005,trakt:900005,,,"
python3 -c 'import os, sys, zipfile
with zipfile.ZipFile(sys.argv[2], "w") as z:
    for name in sorted(os.listdir(sys.argv[1])):
        z.write(os.path.join(sys.argv[1], name), "trakt/" + name)' "$trakt" trakt.zip
expect_status 0 "$convert" import trakt trakt.zip --into trakt-zip
diff -r trakt trakt-zip || fail "the Trakt folder and its ZIP give different catalogues"
cp trakt/diary.csv diary-before
before=$(snapshot trakt)
expect_status 0 "$convert" import trakt trakt.zip --into trakt
contains out "Seen list: 0 added"
contains out "To-see list: 0 added"
contains out "Diary: 0 dated viewings added (6 it held already)"
cmp diary-before trakt/diary.csv || fail "importing the Trakt export twice changed the diary"
[ "$before" = "$(snapshot trakt)" ] || fail "importing the Trakt export twice changed files"
mkdir bad-trakt && printf '[{"plays": "two", "movie": {"title": "A"}}]' >bad-trakt/watched-movies.json
expect_status 1 "$convert" import trakt bad-trakt --into trakt
contains err "bad-trakt/watched-movies.json, line 1: \"plays\" is a string"
[ "$before" = "$(snapshot trakt)" ] || fail "a refused Trakt export changed files"

# --- export csv, import csv: the same bytes ---------------------------------
catalogue=$fixtures/catalogue
expect_status 0 "$convert" export csv films.csv --from "$catalogue"
contains out "6 films written to films.csv"
[ "$(head -c 3 films.csv | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "no byte-order mark"
[ "$(head -n 1 films.csv | tail -c +4)" = $'Lista,Titlu original,Titlu,Tara,An,Regia,Distributia,Calificativ,Vizionari,Comentariu\r' ] ||
  fail "the CSV header is wrong"
mkdir rebuilt
expect_status 0 "$convert" import csv films.csv --into rebuilt
# The archives come back byte for byte and every comment with them; a film
# without a comment gets no file (an empty file and none show the same).
cp -r "$catalogue" expected-catalogue
find expected-catalogue -name '*.ctc' -empty -delete
[ -z "$(find rebuilt -name '*.ctc' -empty)" ] || fail "an import wrote an empty comment file"
diff -r expected-catalogue rebuilt || fail "export csv and import csv did not rebuild the catalogue"

# --- export letterboxd, export tellico --------------------------------------
expect_status 0 "$convert" export letterboxd seen.csv --from "$catalogue"
contains out "4 films written to seen.csv"
contains seen.csv "LetterboxdURI,imdbID,Title,Year,Directors,Rating10,WatchedDate,Rewatch,Review"
contains seen.csv ",,Pădurea de sticlă,1983,Viorica Stanciu,10,,true,\"Revăzut în 2019."
contains seen.csv ",,\"Zöld, \"\"kert\"\"\",1971,Ágnes Kertész,7,,false,"
# After a Letterboxd import: the site's 4.5 stars (9), not the word's 9 by chance,
# and nothing for the film that came unrated; the watchlist beside it.
expect_status 0 "$convert" export letterboxd lb-seen.csv --from lb --watchlist lb-watch.csv
contains lb-seen.csv "https://boxd.it/a1Q,,Salt and Cedar,2011,,9,2023-02-10,true,"
contains lb-seen.csv "https://boxd.it/a4T,,Night Ferry,1994,,,,false,"
contains lb-watch.csv "https://boxd.it/w2,,Orchard Road,1961,"
expect_status 0 "$convert" export tellico films.tc --from "$catalogue"
unzip -p films.tc tellico.xml >tellico.xml
xmllint --noout --dtdvalid "$fixtures/tellico-export.dtd" tellico.xml || fail "tellico.xml is not valid"
[ "$(grep -c '<entry id=' tellico.xml)" -eq 6 ] || fail "not six entries"
expect_status 0 "$convert" import tellico films.tc --into from-tellico
diff -r expected-catalogue from-tellico || fail "export tellico and import tellico did not rebuild the catalogue"

# --- stats ------------------------------------------------------------------
expect_status 0 "$convert" stats "$catalogue" --csv
contains out "list,vazute,4"
contains out "list,de vazut,2"
contains out "viewings,total,7"
[ "$(grep '^most viewed' out | head -n 1)" = $'most viewed,Pădurea de sticlă,3\r' ] || fail "the most viewed film"
contains out "decade,(no year),2"

# --- check: whole, and the line of each fault -------------------------------
expect_status 0 "$convert" check "$catalogue"
contains out "$catalogue/filme.cta: whole, 4 films"
header=$'cinetrove\r\nquonwerk\r\n'
record=$'A\r\nT\r\nRO\r\n1999\r\nD\r\nC\r\n2 1\r\n'
check_fault() {  # NAME BYTES LINE EXPECTED
  mkdir -p "faults/$1"
  cp "$catalogue/tosee.cta" "faults/$1/"
  printf '%s' "$2" >"faults/$1/filme.cta"
  expect_status 1 "$convert" check "faults/$1"
  contains out "faults/$1/filme.cta, line $3: expected $4"
  contains out "faults/$1/tosee.cta: whole, 2 films"
}
check_fault magic $'cinetrove\r\nquonwerc\r\n1\r\n' 2 'the word "quonwerk"'
check_fault count "${header}"$'\r\nmany\r\n' 4 "a count"
check_fault text "${header}2"$'\r\n'"${record}B"$'\r\nT\r\n' 13 "a text line"
check_fault numbers "${header}1"$'\r\nA\r\nT\r\n\r\n\r\n\r\n\r\n2 one\r\n' 10 "two whole numbers"
check_fault trailing "${header}1"$'\r\n'"${record}"$'\r\nB\r\n' 12 "the end of the file"
long=$(printf 'D%.0s' $(seq 300))
mkdir -p faults/long && cp "$catalogue/tosee.cta" faults/long/ && printf '%s' "${header}1"$'\r\nA\r\nT\r\n\r\n\r\n'"$long"$'\r\n\r\n2 1\r\n' >faults/long/filme.cta
expect_status 0 "$convert" check faults/long
contains out "faults/long/filme.cta, line 8: warning: 300 characters, more than the 253"
mkdir faults/missing
expect_status 1 "$convert" check faults/missing
contains out "faults/missing/filme.cta: cannot be opened for reading"

# --- refusals: which file, which line, why; nothing written -----------------
cp -R lb refused
printf 'cinetrove\r\nquonwerk\r\n3\r\nA\r\n' >refused/tosee.cta
before=$(snapshot refused)
expect_status 1 "$convert" import imdb "$imdb/list-2024.csv" --into refused
contains err "refused/tosee.cta, line 5: the archive does not read whole: expected a text line"
[ "$before" = "$(snapshot refused)" ] || fail "a refused import changed files"
printf 'Const,Title,Your Rating\ntt1,Good,7\ntt2,Bad,eleven\n' >bad.csv
expect_status 1 "$convert" import imdb bad.csv --into refused
contains err "bad.csv, line 3: \"Your Rating\" is \"eleven\", not a whole number from 1 to 10"
[ "$before" = "$(snapshot refused)" ] || fail "a refused file changed the catalogue"
expect_status 1 "$convert" import letterboxd missing.zip --into refused
contains err "missing.zip"
expect_status 2 "$convert" import imdb
expect_status 2 "$convert" import imdb bad.csv --unrated Minunat
expect_status 2 "$convert" frobnicate
expect_status 0 "$convert" export tellico --help
contains out "--from"

# --- writers take turns; a kill loses nothing; exports keep their place ------
# Two imports at once: each waits for the other's last write, both films stay.
printf 'Lista,Titlu original\nvazute,Primul\n' >one.csv
printf 'Lista,Titlu original\nvazute,Al doilea\n' >two.csv
"$convert" import csv one.csv --into turns >/dev/null & first=$!
"$convert" import csv two.csv --into turns >/dev/null & second=$!
wait $first && wait $second || fail "an import of two at once failed"
grep -q '^Primul' turns/filme.cta && grep -q '^Al doilea' turns/filme.cta || fail "an import at once lost a film"

# A move cut short by a kill, then the same import run again: before the
# archives were written (they are put back from their backups and the to-see
# note is still there), and after them (only the note is still there).
mkdir -p kill/comments/tosee
printf 'Lista,Titlu original,Comentariu\nde vazut,Cocor,\n' >tosee.csv
printf 'Lista,Titlu original,Comentariu\nvazute,Cocor,vazut\n' >seen.csv
expect_status 0 "$convert" import csv tosee.csv --into kill
printf 'nota veche' >kill/comments/tosee/Cocor.ctc
expect_status 0 "$convert" import csv seen.csv --into kill
contains out "(1 moved from the to-see list)"
[ ! -e kill/comments/tosee/Cocor.ctc ] || fail "the moved film's old note stayed"
printf 'nota veche\r\r\n\r\r\nvazut' | cmp - kill/comments/filme/Cocor.ctc || fail "the moved note is wrong"
cp kill/filme.cta~ kill/filme.cta && cp kill/tosee.cta~ kill/tosee.cta
printf 'nota veche' >kill/comments/tosee/Cocor.ctc
expect_status 0 "$convert" import csv seen.csv --into kill
printf 'nota veche\r\r\n\r\r\nvazut' | cmp - kill/comments/filme/Cocor.ctc || fail "a second run doubled the note"
[ ! -e kill/comments/tosee/Cocor.ctc ] || fail "a second run left the old note"
printf 'nota veche' >kill/comments/tosee/Cocor.ctc
expect_status 0 "$convert" import csv seen.csv --into kill
contains out "already in the seen list"
[ ! -e kill/comments/tosee/Cocor.ctc ] || fail "a run after the archives did not finish the move"

# An export never takes the place of the catalogue's own files, and writes
# like Save: a link is followed, a read-only file is refused.
before=$(snapshot kill)
expect_status 1 "$convert" export csv kill/filme.cta --from kill
contains err "kill/filme.cta: is a file of the catalogue itself"
expect_status 1 "$convert" export tellico kill/comments/filme/x.tc --from kill
[ "$before" = "$(snapshot kill)" ] || fail "a refused export changed the catalogue"
mkdir exports && printf 'old' >exports/real.tc && ln -s real.tc exports/link.tc
expect_status 0 "$convert" export tellico exports/link.tc --from kill
unzip -l exports/real.tc >listing || fail "the link's file is no ZIP file"
[ -L exports/link.tc ] && grep -q tellico.xml listing || fail "the export did not follow the link"
printf 'kept' >exports/locked.csv && chmod a-w exports/locked.csv
expect_status 1 "$convert" export csv exports/locked.csv --from kill
[ "$(cat exports/locked.csv)" = kept ] || fail "a read-only export file was replaced"
# --- The diary: dated viewings from Letterboxd, by hand, counted, checked --
expect_status 0 "$convert" import letterboxd "$fixtures/letterboxd" --into log
contains out "Diary: 5 dated viewings added"
contains log/diary.csv "vazute,Salt and Cedar,2011,2021-09-13,1,letterboxd"
expect_status 0 "$convert" import imdb "$imdb/ratings-2024.csv" --into log
cp log/diary.csv diary.before
expect_status 0 "$convert" import letterboxd "$fixtures/letterboxd" --into log
contains out "Diary: 0 dated viewings added (5 it held already)"
cmp diary.before log/diary.csv || fail "an IMDb import or a second Letterboxd import changed the diary"
contains log/ids.csv "2021-01-05"  # IMDb's Date Rated is a date rated, not a viewing

# A film to see moves across with its note, rated; a seen one counts one more.
printf 'de vazut neaparat' >"log/comments/tosee/Paper Moons.ctc"
before=$(snapshot log)
expect_status 1 "$convert" watched "paper moons" --date 2024-03-01 --into log
contains err "give its rating word with --rating"
expect_status 1 "$convert" watched Paper --into log
contains err 'no film is titled "Paper"; films of a title like it:'
contains err "de vazut: Paper Moons (2016)"
expect_status 1 "$convert" watched Lanterns --date 2023-02-29 --into log
expect_status 1 "$convert" watched Lanterns --date 2999-01-01 --into log
[ "$before" = "$(snapshot log)" ] || fail "a refused viewing changed files"
expect_status 0 "$convert" watched "paper moons" --date 2024-03-01 --rating "Foarte bun" --into log
contains out "moved to the seen list"
[ "$(numbers_of 'Paper Moons' log/filme.cta)" = '3 1' ] || fail "the moved film's numbers"
contains "log/comments/filme/Paper Moons.ctc" "de vazut neaparat"
[ ! -e "log/comments/tosee/Paper Moons.ctc" ] || fail "the moved film's old note stayed"
expect_status 0 "$convert" watched "Salt and Cedar" --date 2024-02-29 --into log
[ "$(numbers_of 'Salt and Cedar' log/filme.cta)" = '4 4' ] || fail "the viewing was not counted"
tail -n 2 log/diary.csv | tr -d '\r' >last
printf 'vazute,Salt and Cedar,2011,2024-02-29,1,watched\nvazute,Paper Moons,2016,2024-03-01,0,watched\n' |
  cmp - last || fail "the diary's rows by hand"

# Two films of one title are told apart by their years.
"$convert" export csv both.csv --from log >/dev/null
{ head -n 1 both.csv; grep '^vazute,Lanterns,' both.csv | sed 's/,2008,/,1990,/'; } >twin.csv
expect_status 0 "$convert" import csv twin.csv --into log
expect_status 1 "$convert" watched Lanterns --into log
contains err '2 films are titled "Lanterns"; name one with --year:'
contains err "vazute: Lanterns (1990)"
expect_status 0 "$convert" watched Lanterns --year 1990 --date 2024-12-01 --into log
contains out "vazute: Lanterns (1990): 2 viewings"

expect_status 0 "$convert" stats log
contains out "Dated viewings per month of 2024"
expect_status 0 "$convert" stats --csv --year 2021 log
contains out "diary year,2024,3"
contains out "diary month,2021-09,1"

# A damaged diary is named and stops nothing; an import sets it aside whole.
printf 'vazute,Ghost,2000,2024-13-01,0,watched\r\nvazute,Gone,2000,2024-01-01,0,watched\r\n' >>log/diary.csv
expect_status 0 "$convert" check log
contains out 'line 10: the date is "2024-13-01"'
contains out 'rows of "Gone" (2000), which the seen list does not hold'
cp log/diary.csv diary.damaged
printf '"' >>log/diary.csv
expect_status 0 "$convert" check log
contains out "warning: "
expect_status 0 "$convert" import letterboxd "$fixtures/letterboxd" --into log
contains out "Diary: 5 dated viewings added"
{ cat diary.damaged; printf '"'; } | cmp - log/diary.csv.damaged || fail "the damaged diary was not kept whole"

echo "cinetrove-convert: every check passed"
