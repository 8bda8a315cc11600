#!/bin/sh
# What the safety net costs the run phase, in one script, rounds interleaved,
# medians reported: the run with its journal moving 3,000 catalogued copies
# of the photos folder (default ../shared/photos) within one file system,
# against `mv` + `sync` of the same files; copying them durably, against
# `cp` + `sync`; and each run with its journal against the same run without
# it; and the copy with "Verify copies" besides. The run's time is the bench
# program's own figure (after the scan) plus the sync after it. ROUNDS rounds
# (default 5); TMPDIR picks the file system.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
photos=${1:-$repo/../shared/photos}
cmake -S "$repo" -B "$repo/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DDEZOREDU_BENCH=ON -DDEZOREDU_GUI=OFF -DDEZOREDU_TESTS=OFF >/dev/null
ninja -C "$repo/build-bench" -j2 process_bench >/dev/null
bench="$repo/build-bench/bench/process_bench"

work=$(mktemp -d "${TMPDIR:-/tmp}/dezoredu-safety-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/data"
"$bench" prepare "$photos" "$work/source" "$work/list" 2>/dev/null
count=$(wc -l <"$work/list")
rounds=${ROUNDS:-5}

now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.4f", b - a }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
synced() {
    run=$("$@" | cut -d' ' -f1)
    start=$(now); sync
    awk -v a="$run" -v b="$(since "$start")" 'BEGIN { printf "%.4f", a + b }'
}
# A fresh target, and a fresh tree of links to move from.
fresh() {
    rm -rf "$work/t" "$work/m"; mkdir "$work/t"; cp -al "$work/source" "$work/m"
    sed "s|^$work/source/|$work/m/|" "$work/list" >"$work/mlist"; sync
}

mv_s=""; move_j=""; move_n=""; cp_s=""; copy_j=""; copy_n=""; copy_v=""
for round in $(seq "$rounds"); do
    fresh; start=$(now)
    xargs -d '\n' -a "$work/mlist" mv -t "$work/t"; sync
    mv_s="$mv_s $(since "$start")"
    fresh; move_j="$move_j $(synced "$bench" move "$work/m" "$work/t" --journal)"
    fresh; move_n="$move_n $(synced "$bench" move "$work/m" "$work/t")"

    fresh; start=$(now)
    xargs -d '\n' -a "$work/list" cp -t "$work/t"; sync
    cp_s="$cp_s $(since "$start")"
    fresh; copy_j="$copy_j $(synced "$bench" copy "$work/source" "$work/t" --journal)"
    fresh; copy_n="$copy_n $(synced "$bench" copy "$work/source" "$work/t")"
    fresh; copy_v="$copy_v $(synced "$bench" copy "$work/source" "$work/t" --journal --verify)"
done
mv_m=$(median $mv_s); move_jm=$(median $move_j); move_nm=$(median $move_n)
cp_m=$(median $cp_s); copy_jm=$(median $copy_j); copy_nm=$(median $copy_n); copy_vm=$(median $copy_v)
echo "move, $count pictures (median of $rounds): mv+sync ${mv_m}s; run with journal ${move_jm}s," \
     "$(ratio "$move_jm" "$mv_m")x the time of mv (goal <= 1.5); without journal ${move_nm}s"
echo "copy, $count pictures (median of $rounds): cp+sync ${cp_m}s; run with journal ${copy_jm}s," \
     "throughput $(ratio "$cp_m" "$copy_jm") of cp (goal >= 0.9); without journal ${copy_nm}s;" \
     "verified ${copy_vm}s, throughput $(ratio "$cp_m" "$copy_vm") of cp"
echo "journal's cost: move $(awk -v a="$move_jm" -v b="$move_nm" 'BEGIN { printf "%.1f%%", (a / b - 1) * 100 }')," \
     "copy $(awk -v a="$copy_jm" -v b="$copy_nm" 'BEGIN { printf "%.1f%%", (a / b - 1) * 100 }') (goal <= 5%)"
