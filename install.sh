#!/usr/bin/env bash
# Installs every Debian package Quillmarch needs to build, play and test.
# Quick when everything is there: apt-get update runs only when a package is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libirrlicht-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  librecast-dev
  libcli11-dev libinih-dev libx11-dev
  libopenal-dev libopenal1 libsndfile1-dev
  libfreetype-dev fonts-dejavu-core
  xvfb xauth x11-apps libgl1-mesa-dri libgl-dev
  desktop-file-utils appstream lintian man-db bsdextrautils
  python3-websockets
  python3-aiohttp libjs-chart.js python3-pytest python3-hypothesis chromium chromium-driver python3-selenium xdotool
  python3-distributed python3-matplotlib
  clang libclang-rt-14-dev clang-format clang-tidy
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  sudo=sudo
else
  sudo=
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
