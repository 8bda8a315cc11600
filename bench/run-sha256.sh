#!/bin/sh
# Builds the SHA-256 benchmark in Release mode and runs it; the argument is the
# buffer size in MB (default 256). Our portable and hardware engines are
# measured beside libcrypto's (when libssl-dev is installed), and the
# thumbnail cache's MD5 of short names beside libcrypto's.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$repo" -B "$repo/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DDEZOREDU_BENCH=ON -DDEZOREDU_GUI=OFF -DDEZOREDU_TESTS=OFF >/dev/null
ninja -C "$repo/build-bench" -j1 sha256_bench
"$repo/build-bench/bench/sha256_bench" "$@"
