#!/usr/bin/env bash
# Installs every system package the build, the program and the tests need
# (Debian 12, run as root).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  qt6-base-dev libgl-dev
  libjpeg62-turbo-dev libpng-dev zlib1g-dev libtiff-dev
  # HEIC/HEIF/AVIF pictures, videos and WebP pictures
  libheif-dev libavformat-dev libavcodec-dev libavutil-dev libswscale-dev
  # time zones from the system's tz database; places named offline from GeoNames
  libhowardhinnant-date-dev libgeonames-dev
  # test oracles: videos made with ffmpeg, values read off files with exiftool
  ffmpeg libimage-exiftool-perl
  libgtest-dev libgmock-dev libbenchmark-dev
  # timing whole runs of the programs in bench/
  hyperfine
  xvfb xauth openbox xdotool x11-utils
  # building the Debian package and checking it
  dpkg-dev file desktop-file-utils appstream lintian
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"
