#!/usr/bin/env bash
# Builds the Debian package, checks that every file lands where a desktop
# expects it and that the validators accept the launcher entry and the
# metainfo, installs it, checks the sample catalogue with the installed
# cinetrove-convert, and starts the installed program under Xvfb from an
# empty working folder: it must open the sample catalogue of the fallback
# directory without a message. Usage: test_package.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1
build=$2
app_id=net.cinetrove.Cinetrove

if [ "$(id -u)" -ne 0 ]; then
  if sudo -n true 2>/dev/null; then as_root=(sudo -n); else
    echo "skipped: installing the package needs root"; exit 77; fi
else
  as_root=()
fi
if dpkg-query -W -f='${Status}' cinetrove 2>/dev/null | grep -q 'ok installed'; then
  echo "skipped: a cinetrove package is already installed on this machine"; exit 77
fi

cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DCINETROVE_BENCH=OFF >/dev/null
cmake --build "$build" --target cinetrove cinetrove-convert -j"$(nproc)" >/dev/null
rm -f "$build"/cinetrove_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/cinetrove_*.deb)

root=$(mktemp -d)
folder=$(mktemp -d)
trap 'rm -rf "$root" "$folder"; "${as_root[@]}" dpkg -r cinetrove >/dev/null 2>&1 || true' EXIT

dpkg-deb -x "$deb" "$root"
expected=(
  usr/bin/cinetrove
  usr/bin/cinetrove-convert
  usr/share/man/man1/cinetrove-convert.1.gz
  usr/share/applications/$app_id.desktop
  usr/share/metainfo/$app_id.metainfo.xml
  usr/share/cinetrove/data/filme.cta
  usr/share/cinetrove/data/tosee.cta
  usr/share/cinetrove/data/comments/filme/Casablanca.ctc
  usr/share/cinetrove/data/comments/tosee/Playtime.ctc
)
for size in 16 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for file in "${expected[@]}"; do
  [ -f "$root/$file" ] || { echo "missing from the package: /$file"; exit 1; }
done
desktop-file-validate "$root/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" >/dev/null
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6 libzip4 libpugixml1v5; do
  grep -q "$library" <<<"$depends" || { echo "no dependency on $library: $depends"; exit 1; }
done

"${as_root[@]}" dpkg -i "$deb" >/dev/null
# The companion program runs from the package with the libraries it depends on.
/usr/bin/cinetrove-convert check /usr/share/cinetrove/data | grep "filme.cta: whole" >/dev/null ||
  { echo "the installed cinetrove-convert does not read the sample catalogue"; exit 1; }
cd "$folder"
# The main window is titled "Cinetrove"; a start-up message would be a
# window titled with the program's name, "cinetrove".
xvfb-run -a bash -c '
  titles() { for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do xdotool getwindowname "$w"; done; }
  /usr/bin/cinetrove & pid=$!
  for _ in $(seq 50); do
    titles | grep -qx "Cinetrove" && break
    sleep 0.2
  done
  sleep 1
  shown=$(titles)
  kill $pid
  if grep -qx "cinetrove" <<<"$shown"; then
    echo "the program showed a start-up message: the sample catalogue was not read"; exit 1
  fi
  grep -qx "Cinetrove" <<<"$shown" || { echo "the main window did not open"; exit 1; }
'
[ -z "$(ls -A "$folder")" ] || { echo "the program wrote into its working folder"; exit 1; }
echo "package $(basename "$deb") installs, validates and starts on the sample catalogue"
