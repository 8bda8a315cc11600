#!/bin/sh
# The duplicate finder's benchmarks in Release mode: the analysis of 3,200
# catalogued copies of the photos folder (default ../shared/photos beside the
# repo), from EXIF thumbnails and from the files; the compare pass on 20,000
# signatures beside a comparison of every pair; the similar mode on 100,000
# synthetic looks beside a comparison of every pair; and the labelled
# look-alikes made from camera pictures of four makers (Nikon, Pixel 5,
# iPhone 11, Reconyx), with what each mode groups per kind.
# DEZOREDU_BENCH_BUILD names another build folder than build-bench.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
photos=${1:-$repo/../shared/photos}
build=${DEZOREDU_BENCH_BUILD:-$repo/build-bench}
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DDEZOREDU_BENCH=ON -DDEZOREDU_GUI=OFF -DDEZOREDU_TESTS=OFF >/dev/null
ninja -C "$build" -j1 duplicates_bench >/dev/null
bench="$build/bench/duplicates_bench"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The Reconyx keeps its shot date only in its maker notes, and the scan takes
# a picture by its EXIF date: the copy gets that date where the scan reads it.
reconyx="$work/Reconyx_HC500_Hyperfire.jpg"
cp "$photos/Reconyx_HC500_Hyperfire.jpg" "$reconyx"
chmod u+w "$reconyx"
exiftool -q -q -overwrite_original '-ExifIFD:DateTimeOriginal<Reconyx:DateTimeOriginal' "$reconyx"
echo "== analysis"
"$bench" analyse "$photos"
echo "== compare"
"$bench" compare 20000
echo "== similar"
"$bench" similar 100000
echo "== look-alikes"
"$bench" lookalikes "$photos" "$reconyx"
