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
fresh() { rm -rf "$work/t"; mkdir "$work/t"; sync; }

cp_sync=""; durable=""; unflushed=""; journal=""; plain=""; plans=""
for round in $(seq "$rounds"); do
    fresh; start=$(now)
    xargs -d '\n' -a "$work/list" cp -t "$work/t"; sync
    cp_sync="$cp_sync $(since "$start")"

    fresh; start=$(now)
    "$bench" copy "$work/source" "$work/t" >/dev/null; sync
    durable="$durable $(since "$start")"

    fresh; start=$(now)
    "$bench" copy "$work/source" "$work/t" --no-flush >/dev/null; sync
    unflushed="$unflushed $(since "$start")"

    fresh
    journal="$journal $("$bench" copy "$work/source" "$work/t" --journal | cut -d' ' -f1)"
    fresh
    plain="$plain $("$bench" copy "$work/source" "$work/t" | cut -d' ' -f1)"
    fresh
    plans="$plans $("$bench" plan "$work/source" "$work/t" | cut -d' ' -f1)"
done
echo "durable copy: $count pictures: cp+sync $(best $cp_sync)s; durable run $(best $durable)s," \
     "throughput ratio $(ratio "$(best $cp_sync)" "$(best $durable)"); unflushed run (then sync) $(best $unflushed)s," \
     "ratio $(ratio "$(best $cp_sync)" "$(best $unflushed)")"
echo "journal: run with it $(best $journal)s, without $(best $plain)s, cost" \
     "$(awk -v a="$(best $journal)" -v b="$(best $plain)" 'BEGIN { printf "%.1f%%", (a / b - 1) * 100 }')"
echo "plan: $count pictures planned in $(best $plans)s beyond the scan"
