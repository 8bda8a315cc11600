#!/bin/sh
# The album suggestions against a labelled set: real pictures copied,
# re-dated and geotagged by exiftool in two halves of one user's year, with
# the album each belongs to written beside them (bench/make-suggest-set.py);
# the settings chosen on the first half, every mode reported on the second.
# Then a whole suggestion over 100,000 made-up shots, timed (target < 0.5 s).
# DEZOREDU_BUILD names the build folder (default build-bench, configured for
# Release here).
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${DEZOREDU_BUILD:-$repo/build-bench}
photos=${1:-"$repo/../shared/photos"}

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DDEZOREDU_BENCH=ON -DDEZOREDU_GUI=OFF -DDEZOREDU_TESTS=OFF >/dev/null
fi
cmake -S "$repo" -B "$build" -DDEZOREDU_BENCH=ON >/dev/null
ninja -C "$build" -j1 suggest_bench >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$repo/bench/make-suggest-set.py" "$photos" "$repo/tests/data" "$work"
# The computer sits at home: a camera that tells no zone is read in its zone.
TZ=Europe/Amsterdam "$build/bench/suggest_bench" "$work"
