#!/bin/sh
# Scan throughput per kind of file in the "All photos and videos" mode, and
# the JPEG rate in "JPEG only" mode, each against the plain loop over the
# same files (see bench/FormatsScanBench.cpp). Arguments: the photos folder
# (default ../shared/photos beside the repo) and the formats samples folder
# (default ../shared/formats). Videos are made here with ffmpeg: a short
# clip as cameras write and a phone-sized one.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
photos=${1:-$repo/../shared/photos}
formats=${2:-$repo/../shared/formats}

cmake -S "$repo" -B "$repo/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DDEZOREDU_BENCH=ON -DDEZOREDU_GUI=OFF -DDEZOREDU_TESTS=OFF >/dev/null
ninja -C "$repo/build-bench" -j1 formats_scan_bench >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/dezoredu-formats-scan-XXXXXX")
trap 'rm -rf "$work"' EXIT
ffmpeg -v error -f lavfi -i testsrc=size=320x240:rate=25 -t 5 -metadata creation_time=2024-07-01T10:20:30Z \
    -pix_fmt yuv420p "$work/clip.mov"
ffmpeg -v error -f lavfi -i testsrc=size=1920x1080:rate=30 -t 10 -metadata creation_time=2024-07-01T10:20:30Z \
    -pix_fmt yuv420p "$work/phone.mp4"

samples=""
for f in "$repo"/tests/data/*.cr2 "$repo"/tests/data/*.nef "$repo"/tests/data/*.dng "$repo"/tests/data/*.rw2 \
         "$formats"/*.HEIC "$formats"/*.raf "$formats"/*.cr3 "$work"/clip.mov "$work"/phone.mp4; do
    [ -f "$f" ] && samples="$samples $f"
done
# shellcheck disable=SC2086
"$repo/build-bench/bench/formats_scan_bench" "$photos" $samples
