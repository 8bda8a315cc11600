#!/bin/sh
# Builds the film benchmark in Release mode and runs it; the argument is the
# photos folder (default ../shared/photos beside the repo).
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$repo" -B "$repo/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DDEZOREDU_BENCH=ON -DDEZOREDU_GUI=OFF -DDEZOREDU_TESTS=OFF >/dev/null
ninja -C "$repo/build-bench" -j2 film_bench
"$repo/build-bench/bench/film_bench" "$@"
