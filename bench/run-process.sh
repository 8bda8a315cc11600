#!/bin/sh
# Processing throughput beside cp and mv of the same files, in one script:
# 3,000 catalogued copies of the photos folder (default ../shared/photos),
# copied by cp and by the processing run, then moved within one file system
# by mv and by the run. Best of five rounds each; ratios are throughput
# against the tool (1.0 = as fast as it). The run's own time is the first
# figure; the wall-clock time of the whole program, start-up and scan of the
# source included, the second. The disk is
# synced before each timed step and outside it, so written-back pages of one
# round do not slow the next.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
photos=${1:-$repo/../shared/photos}
cmake -S "$repo" -B "$repo/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DDEZOREDU_BENCH=ON -DDEZOREDU_GUI=OFF -DDEZOREDU_TESTS=OFF >/dev/null
ninja -C "$repo/build-bench" -j2 process_bench >/dev/null
bench="$repo/build-bench/bench/process_bench"

work=$(mktemp -d "${TMPDIR:-/tmp}/dezoredu-process-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
"$bench" prepare "$photos" "$work/source" "$work/list"
count=$(wc -l <"$work/list")

now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.4f", b - a }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
best() { printf '%s\n' "$@" | sort -g | head -n 1; }

# Copies
cp_times=""
our_times=""
run_times=""
for round in 1 2 3 4 5; do
    rm -rf "$work/t"; mkdir "$work/t"; sync
    start=$(now)
    xargs -d '\n' -a "$work/list" cp -t "$work/t"
    cp_times="$cp_times $(since "$start")"

    rm -rf "$work/t"; mkdir "$work/t"; sync
    start=$(now)
    run=$("$bench" copy "$work/source" "$work/t" | cut -d' ' -f1)
    our_times="$our_times $(since "$start")"
    run_times="$run_times $run"
done
cp_best=$(best $cp_times)
our_best=$(best $our_times)
run_best=$(best $run_times)
echo "copy: $count pictures: cp ${cp_best}s; processing run ${run_best}s, ratio $(ratio "$cp_best" "$run_best");" \
     "with start-up and scan ${our_best}s, ratio $(ratio "$cp_best" "$our_best")"

# Moves within one file system: each round moves a fresh copy of the tree.
mv_times=""
our_times=""
run_times=""
for round in 1 2 3 4 5; do
    rm -rf "$work/t" "$work/m"; mkdir "$work/t"; cp -al "$work/source" "$work/m"
    sed "s|^$work/source/|$work/m/|" "$work/list" >"$work/mlist"; sync
    start=$(now)
    xargs -d '\n' -a "$work/mlist" mv -t "$work/t"
    mv_times="$mv_times $(since "$start")"

    rm -rf "$work/t" "$work/m"; mkdir "$work/t"; cp -al "$work/source" "$work/m"; sync
    start=$(now)
    run=$("$bench" move "$work/m" "$work/t" | cut -d' ' -f1)
    our_times="$our_times $(since "$start")"
    run_times="$run_times $run"
done
mv_best=$(best $mv_times)
our_best=$(best $our_times)
run_best=$(best $run_times)
echo "move: $count pictures: mv ${mv_best}s; processing run ${run_best}s, ratio $(ratio "$mv_best" "$run_best");" \
     "with start-up and scan ${our_best}s, ratio $(ratio "$mv_best" "$our_best")"
