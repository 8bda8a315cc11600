#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: the suites,
# help from a modal window and the film's first frame on a real X server
# with a window manager,
# the core suites again under AddressSanitizer and UndefinedBehaviorSanitizer,
# the film's thumbnail workers under ThreadSanitizer, and the EXIF decoder's
# fuzzer for a bounded time.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh || exit 1

jobs=2
fuzz_seconds=${DEZOREDU_FUZZ_SECONDS:-60}
failed=0

step() { echo; echo "=== $* ==="; }
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

step "Build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDEZOREDU_GUI=ON -DDEZOREDU_TESTS=ON >/dev/null || exit 1
cmake --build build -j"$jobs" || exit 1
(cd build && ctest --output-on-failure -j"$jobs") 2>&1 | tee "$logs/main.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || failed=1

step "Help from a modal window on a real X server (Xvfb with openbox)"
# Skipped, and said so, only where no X server can start.
bash tests/gui/help-on-x.sh build/src/gui/dezoredu tests/data/canon-40d.jpg \
  tests/data/fujifilm-e500-big-endian.jpg tests/data/nikon-640x480-exif-thumbnail-160x120.jpg
real_x=$?

step "The Edit Album film's first frame on a real X server (Xvfb with openbox)"
bash tests/gui/film-on-x.sh build/tests/gui/gui_tests
film_x=$?

step "Core suites under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDEZOREDU_GUI=OFF -DDEZOREDU_TESTS=ON -DDEZOREDU_SANITIZE=ON >/dev/null || exit 1
cmake --build build-asan -j"$jobs" || exit 1
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j"$jobs") 2>&1 | tee "$logs/asan.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || failed=1

step "Film tests under ThreadSanitizer"
# Only the album suite: the film, its worker pool and its cache are there.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDEZOREDU_GUI=OFF -DDEZOREDU_TESTS=ON -DDEZOREDU_TSAN=ON >/dev/null || exit 1
cmake --build build-tsan -j"$jobs" --target albums_tests || exit 1
(cd build-tsan && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
  ctest --output-on-failure -j"$jobs" -R 'Thumbnail|Film|EditAlbum|BrokenPicture') 2>&1 | tee "$logs/tsan.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || failed=1

step "EXIF decoder fuzzer, ${fuzz_seconds} s"
CXX=clang++ CC=clang cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDEZOREDU_GUI=OFF -DDEZOREDU_TESTS=OFF -DDEZOREDU_FUZZ=ON >/dev/null || exit 1
cmake --build build-fuzz -j"$jobs" --target exif_fuzzer || exit 1
mkdir -p build-fuzz/corpus
if ./build-fuzz/tests/fuzz/exif_fuzzer -max_total_time="$fuzz_seconds" -print_final_stats=1 \
    build-fuzz/corpus tests/fuzz/corpus tests/data >build-fuzz/fuzz.log 2>&1; then
  echo "fuzzer: no crash in ${fuzz_seconds} s: $(grep -E 'stat::number_of_executed_units' build-fuzz/fuzz.log | tr -s ' ')"
  fuzz_passed=1
else
  tail -n 40 build-fuzz/fuzz.log
  echo "fuzzer: found a crash"
  failed=1
fi

# One closing line over every run: ctest's counts of the three builds plus the fuzzer.
passed=0
failures=0
for log in "$logs"/main.log "$logs"/asan.log "$logs"/tsan.log; do
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then
    failures=$((failures + 1))
    continue
  fi
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.*tests passed, ([0-9]+) tests failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failures=$((failures + bad))
done
if [ "${fuzz_passed:-0}" -eq 1 ]; then passed=$((passed + 1)); else failures=$((failures + 1)); fi
for status in "$real_x" "$film_x"; do
  case "$status" in
    0) passed=$((passed + 1)) ;;
    77) echo "a real-X test was skipped" ;;
    *) failures=$((failures + 1)) ;;
  esac
done
echo
echo "all: $passed passed, $failures failed"
[ "$failures" -eq 0 ] || failed=1
exit "$failed"
