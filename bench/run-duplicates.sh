#!/bin/sh
# The duplicate finder's benchmarks in Release mode: the analysis of 3,200
# catalogued copies of the photos folder (default ../shared/photos beside the
# repo), from EXIF thumbnails and from the files; the compare pass on 20,000
# signatures beside a comparison of every pair; the similar mode on 100,000
# signatures (and on 5,000 beside every pair); and the labelled look-alikes
# made from the photos, with what each mode groups per kind.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
photos=${1:-$repo/../shared/photos}
cmake -S "$repo" -B "$repo/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DDEZOREDU_BENCH=ON -DDEZOREDU_GUI=OFF -DDEZOREDU_TESTS=OFF >/dev/null
ninja -C "$repo/build-bench" -j1 duplicates_bench >/dev/null
bench="$repo/build-bench/bench/duplicates_bench"
echo "== analysis"
"$bench" analyse "$photos"
echo "== compare"
"$bench" compare 20000
echo "== similar"
"$bench" similar 100000
echo "== look-alikes"
"$bench" lookalikes "$photos"
