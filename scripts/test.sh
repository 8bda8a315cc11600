#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: the suites,
# the core suites again under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the EXIF decoder's fuzzer for a bounded time.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh || exit 1

jobs=2
fuzz_seconds=${DEZOREDU_FUZZ_SECONDS:-60}
failed=0

step() { echo; echo "=== $* ==="; }

step "Build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
cmake --build build -j"$jobs" || exit 1
(cd build && ctest --output-on-failure -j"$jobs") || failed=1

step "Core suites under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDEZOREDU_GUI=OFF -DDEZOREDU_SANITIZE=ON >/dev/null || exit 1
cmake --build build-asan -j"$jobs" || exit 1
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j"$jobs") || failed=1

step "EXIF decoder fuzzer, ${fuzz_seconds} s"
CXX=clang++ CC=clang cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDEZOREDU_GUI=OFF -DDEZOREDU_TESTS=OFF -DDEZOREDU_FUZZ=ON >/dev/null || exit 1
cmake --build build-fuzz -j"$jobs" --target exif_fuzzer || exit 1
mkdir -p build-fuzz/corpus
if ./build-fuzz/tests/fuzz/exif_fuzzer -max_total_time="$fuzz_seconds" -print_final_stats=1 \
    build-fuzz/corpus tests/fuzz/corpus tests/data >build-fuzz/fuzz.log 2>&1; then
  echo "fuzzer: no crash in ${fuzz_seconds} s ($(grep -c . build-fuzz/fuzz.log) log lines)"
else
  tail -n 40 build-fuzz/fuzz.log
  echo "fuzzer: found a crash"
  failed=1
fi

exit "$failed"
