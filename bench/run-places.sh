#!/bin/sh
# The gazetteer's one-time load and 100,000 nearest-place look-ups against a
# scan of every place in the same run (bench/PlacesBench.cpp); target: the
# 100,000 look-ups under 0.1 s. DEZOREDU_BUILD names the build folder
# (default build-bench, configured for Release here).
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${DEZOREDU_BUILD:-$repo/build-bench}

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DDEZOREDU_BENCH=ON -DDEZOREDU_GUI=OFF -DDEZOREDU_TESTS=OFF >/dev/null
fi
cmake -S "$repo" -B "$build" -DDEZOREDU_BENCH=ON >/dev/null
ninja -C "$build" -j1 places_bench >/dev/null
"$build/bench/places_bench"
