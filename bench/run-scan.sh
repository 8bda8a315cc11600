#!/bin/sh
# Builds the scan benchmarks in Release mode and runs them; arguments go to
# scan_bench (the photos folder, default ../shared/photos beside the repo).
# Then the same photos, stripped of every position and offset and tagged
# with them by exiftool, are scanned as they always were and put on the one
# timeline with their places named.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
photos=${1:-"$repo/../shared/photos"}
cmake -S "$repo" -B "$repo/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DDEZOREDU_BENCH=ON -DDEZOREDU_GUI=OFF -DDEZOREDU_TESTS=OFF >/dev/null
ninja -C "$repo/build-bench" -j1 scan_bench timeline_scan_bench
"$repo/build-bench/bench/scan_bench" "$@"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/plain" "$work/tagged"
find "$photos" -maxdepth 1 -iname '*.jpg' -exec cp {} "$work/plain/" \;
exiftool -q -q -overwrite_original -gps:all= -OffsetTime*= "$work/plain" || true
cp "$work/plain/"* "$work/tagged/"
# Each picture somewhere else on the Earth, with the offset of its clock
# and the GPS time of its fix.
i=0
for f in "$work/tagged/"*; do
  i=$((i + 1))
  lat=$(( (i * 37) % 140 - 60 )).$(( (i * 7919) % 10000 ))
  lon=$(( (i * 73) % 340 - 170 )).$(( (i * 104729) % 10000 ))
  exiftool -q -q -overwrite_original -GPSLatitude="$lat" -GPSLatitudeRef="$lat" \
      -GPSLongitude="$lon" -GPSLongitudeRef="$lon" -GPSDateStamp=2024:07:05 -GPSTimeStamp=00:00:00 \
      -OffsetTimeOriginal=+09:00 "$f" || true
done
"$repo/build-bench/bench/timeline_scan_bench" "$work/plain" "$work/tagged"
