#!/bin/sh
# What never losing a picture costs, in one script, rounds interleaved:
# the durable copy (each file's data flushed, each folder once) against
# `cp` followed by `sync` of the same files; the same copy unflushed beside
# it; the run with its journal against the run without it; and the plan of
# the whole run beside the scan. 3,000 catalogued copies of the photos
# folder (default ../shared/photos); best of ROUNDS rounds each (default 5).
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
photos=${1:-$repo/../shared/photos}
cmake -S "$repo" -B "$repo/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DDEZOREDU_BENCH=ON -DDEZOREDU_GUI=OFF -DDEZOREDU_TESTS=OFF >/dev/null
ninja -C "$repo/build-bench" -j2 process_bench >/dev/null
bench="$repo/build-bench/bench/process_bench"

work=$(mktemp -d "${TMPDIR:-/tmp}/dezoredu-durable-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
"$bench" prepare "$photos" "$work/source" "$work/list"
count=$(wc -l <"$work/list")
rounds=${ROUNDS:-5}

now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.4f", b - a }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
best() { printf '%s\n' "$@" | sort -g | head -n 1; }
# This disk's times scatter by a factor of three from round to round; the
# median of the rounds says more than the luckiest one.
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
fresh() { rm -rf "$work/t"; mkdir "$work/t"; sync; }

# Our runs are timed from the bench program's own figure (the run, not its
# start-up and scan) plus the sync after it, as cp is timed with its sync.
synced() {
    run=$("$@" | cut -d' ' -f1)
    start=$(now); sync
    awk -v a="$run" -v b="$(since "$start")" 'BEGIN { printf "%.4f", a + b }'
}

cp_sync=""; durable=""; unflushed=""; journal=""; plans=""
for round in $(seq "$rounds"); do
    fresh; start=$(now)
    xargs -d '\n' -a "$work/list" cp -t "$work/t"; sync
    cp_sync="$cp_sync $(since "$start")"

    fresh
    durable="$durable $(synced "$bench" copy "$work/source" "$work/t")"
    fresh
    unflushed="$unflushed $(synced "$bench" copy "$work/source" "$work/t" --no-flush)"
    fresh
    journal="$journal $(synced "$bench" copy "$work/source" "$work/t" --journal)"
    fresh
    plans="$plans $("$bench" plan "$work/source" "$work/t" | cut -d' ' -f1)"
done
for stat in median best; do
    cp_s=$($stat $cp_sync); durable_s=$($stat $durable); unflushed_s=$($stat $unflushed); journal_s=$($stat $journal)
    echo "durable copy ($stat of $rounds): $count pictures: cp+sync ${cp_s}s; durable run ${durable_s}s," \
         "throughput ratio $(ratio "$cp_s" "$durable_s"); unflushed run and sync ${unflushed_s}s," \
         "ratio $(ratio "$cp_s" "$unflushed_s")"
    echo "journal ($stat of $rounds): run with it ${journal_s}s, without ${durable_s}s, cost" \
         "$(awk -v a="$journal_s" -v b="$durable_s" 'BEGIN { printf "%.1f%%", (a / b - 1) * 100 }')"
done
echo "plan: $count pictures planned in $(median $plans)s beyond the scan (median of $rounds)"
