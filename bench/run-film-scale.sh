#!/bin/sh
# The film at archive scale: builds the film benchmark in Release mode, makes
# a tree of about 100,000 pictures (hard links to copies of the photos), and
# runs one Edit Album session per measure: 1 worker and 2 workers on an empty
# thumbnail cache, then a second session that finds the cache filled; beside
# them the same tree on the build before background thumbnails (today's
# build, the commit FILM_BASELINE_REV, default the branch point from main;
# FILM_SCALE_BASELINE=0 skips it). Arguments: the photos folder (default
# ../shared/photos beside the repo). FILM_SCALE_PICTURES sets the size.
# Each session also reports the CPU time of the window's thread and of the
# workers, from which the 2-worker speed-up of a quiet machine follows
# whatever the load of this one. FILM_SCALE_QT=1 also builds the desktop
# program's film view and times it on the same catalogue (film_view_bench).
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
photos=${1:-$repo/../shared/photos}
pictures=${FILM_SCALE_PICTURES:-100000}

cmake -S "$repo" -B "$repo/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DDEZOREDU_BENCH=ON -DDEZOREDU_GUI=OFF -DDEZOREDU_TESTS=OFF >/dev/null
ninja -C "$repo/build-bench" -j1 film_scale_bench >/dev/null
bench="$repo/build-bench/bench/film_scale_bench"

work=$(mktemp -d "${TMPDIR:-/tmp}/dezoredu-film-scale-XXXXXX")
trap 'rm -rf "$work"' EXIT
"$bench" tree "$photos" "$work/tree" "$pictures"

field() { echo "$1" | sed -E "s/.*[ ]$2=([0-9.]+).*/\1/"; }
run() { XDG_CACHE_HOME="$work/$1" "$bench" session "$work/tree" "$2"; }

one=$(run cache-1 1)
echo "1 worker, empty cache:  $one"
rm -rf "$work/cache-1"
two=$(run cache-2 2)
echo "2 workers, empty cache: $two"
again=$(run cache-2 2)
echo "second session, cache filled: $again"

if [ "${FILM_SCALE_BASELINE:-1}" = 1 ]; then
    rev=${FILM_BASELINE_REV:-$(git -C "$repo" merge-base HEAD main)}
    mkdir -p "$work/base"
    git -C "$repo" archive "$rev" | tar -x -C "$work/base"
    cp "$repo/bench/FilmScaleBench.cpp" "$work/base/bench/"
    cat >>"$work/base/bench/CMakeLists.txt" <<'CMAKE'
add_executable(film_scale_bench FilmScaleBench.cpp)
target_link_libraries(film_scale_bench PRIVATE dz_albums dz_bench_support)
target_compile_definitions(film_scale_bench PRIVATE DZ_FILM_BASELINE)
CMAKE
    cmake -S "$work/base" -B "$repo/build-bench-base" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DDEZOREDU_BENCH=ON -DDEZOREDU_GUI=OFF -DDEZOREDU_TESTS=OFF >/dev/null
    ninja -C "$repo/build-bench-base" -j1 film_scale_bench >/dev/null
    base=$(XDG_CACHE_HOME="$work/cache-base" "$repo/build-bench-base/bench/film_scale_bench" session "$work/tree" 1)
    echo "today's build ($rev): $base"
fi

first=$(field "$two" first-view-s)
c1=$(field "$one" complete-s)
c2=$(field "$two" complete-s)
second=$(field "$again" complete-s)
peak=$(printf '%s\n' "$(field "$one" peak-rss-mb)" "$(field "$two" peak-rss-mb)" "$(field "$again" peak-rss-mb)" | sort -n | tail -n 1)
if [ "${FILM_SCALE_QT:-0}" = 1 ]; then
    cmake -S "$repo" -B "$repo/build-bench-qt" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DDEZOREDU_BENCH=ON -DDEZOREDU_GUI=ON -DDEZOREDU_TESTS=OFF >/dev/null
    ninja -C "$repo/build-bench-qt" -j1 film_view_bench >/dev/null
    echo "Qt film view: $(QT_QPA_PLATFORM=offscreen "$repo/build-bench-qt/bench/film_view_bench" "$work/tree")"
fi

echo "scan: $(field "$two" scan-s) s for $(field "$two" pictures) pictures"
# CPU seconds of the window's thread and of the workers: with the work of
# the workers shared out and the window's thread beside them, a quiet
# machine completes in about max(workers / n, window).
for pair in "1 $one" "2 $two"; do
    set -- $pair
    n=$1
    shift
    w=$(field "$*" window-cpu-s)
    k=$(field "$*" workers-cpu-s)
    echo "cpu, $n worker(s): window thread $w s, workers $k s"
done
awk -v w1="$(field "$one" window-cpu-s)" -v k1="$(field "$one" workers-cpu-s)" \
    -v w2="$(field "$two" window-cpu-s)" -v k2="$(field "$two" workers-cpu-s)" 'BEGIN {
    one = (k1 > w1 ? k1 : w1); two = (k2 / 2 > w2 ? k2 / 2 : w2)
    printf "cpu-bound 2-worker speed-up on a quiet machine: %.2fx (>= 1.7)\n", (two > 0 ? one / two : 0) }'
awk -v f="$first" -v a="$c1" -v b="$c2" -v p="$peak" -v s="$second" 'BEGIN {
    printf "targets: first view %.2f s (< 2), peak %d MB (< 1024), 2 workers %.2fx 1 worker (>= 1.7), second session %.2f s (< 5)\n",
        f, p, (b > 0 ? a / b : 0), s }'
echo "film-scale: first-view-s=$first complete-1-worker-s=$c1 complete-2-workers-s=$c2 peak-rss-mb=$peak second-session-complete-s=$second"
