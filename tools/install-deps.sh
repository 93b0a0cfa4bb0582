#!/usr/bin/env bash
# Installs from Debian's packages whatever the build, the program and the
# tests need and this machine lacks. Usage: tools/install-deps.sh run|test
set -euo pipefail

run_packages=(cmake g++ make qt6-base-dev libgl-dev fonts-dejavu-core xvfb xauth
              pkg-config libcli11-dev libzip-dev libpugixml-dev nlohmann-json3-dev)
test_packages=("${run_packages[@]}" libgtest-dev libgmock-dev libbenchmark-dev
               clang libclang-rt-14-dev imagemagick
               dpkg-dev desktop-file-utils appstream xdotool openbox python3 libxml2-utils unzip
               clang-format x11-utils chromium chromium-driver poppler-utils)

case "${1:-test}" in
  run) wanted=("${run_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing from Debian's packages: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
