#!/bin/sh
# `dezoredu-cli sort` beside `cp -r` + `sync` of the same 3,000 pictures, in
# one script (copies of the photos folder, default ../shared/photos, each a
# file of its own): ROUNDS interleaved rounds (default 5), best and median,
# as this disk's times scatter threefold. The sort's whole run (start-up,
# scan, suggestions, plan, copies hashed and flushed, journal) against cp's
# copy and the sync after it; ratio is throughput against cp (1.0 = as
# fast). Then the same sort again over the same target, with nothing new:
# the page cache is warm from the rounds before it (target < 1 s).
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
photos=${1:-$repo/../shared/photos}
build=${DEZOREDU_BUILD:-$repo/build-bench}
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DDEZOREDU_BENCH=ON -DDEZOREDU_GUI=OFF -DDEZOREDU_TESTS=OFF >/dev/null
ninja -C "$build" -j2 process_bench dezoredu-cli >/dev/null
cli="$build/tools/dezoredu-cli"

work=$(mktemp -d "${TMPDIR:-/tmp}/dezoredu-sort-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
# The program's key, records and settings of its own.
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache"
"$build/bench/process_bench" prepare "$photos" "$work/tree" "$work/list" 2>/dev/null
mkdir "$work/card"
head -n 3000 "$work/list" | awk -v card="$work/card" '{ printf "%s\t%s/%05d.jpg\n", $0, card, NR }' |
    while IFS="$(printf '\t')" read -r from to; do cp "$from" "$to"; done
rm -rf "$work/tree"
count=$(ls "$work/card" | wc -l)
bytes=$(du -sb "$work/card" | cut -f1)

now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.4f", b - a }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
best() { printf '%s\n' "$@" | sort -g | head -n 1; }
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
rounds=${ROUNDS:-5}

# Each round writes into folders of its own, removed only at the end: ext4
# is slow to find inodes for new files (O_TMPFILE above all) while many were
# deleted within the last minutes, which would weigh on whichever tool ran
# after a removal.
cp_times=""
sort_times=""
for round in $(seq "$rounds"); do
    sync
    start=$(now)
    cp -r "$work/card" "$work/cp$round"
    sync
    cp_times="$cp_times $(since "$start")"

    mkdir "$work/t$round"; sync
    start=$(now)
    "$cli" sort "$work/card" "$work/t$round" >/dev/null 2>"$work/err"
    sync
    sort_times="$sort_times $(since "$start")"
    placed=$(find "$work/t$round" -path "$work/t$round/.dezoredu" -prune -o -type f -print | wc -l)
    if [ "$placed" -ne "$count" ]; then
        echo "sort placed $placed of $count pictures" >&2
        cat "$work/err" >&2
        exit 1
    fi
done
cp_best=$(best $cp_times)
sort_best=$(best $sort_times)
cp_median=$(median $cp_times)
sort_median=$(median $sort_times)
echo "sort of $count pictures ($bytes bytes), copying, $rounds rounds:" \
     "cp -r + sync best ${cp_best}s, median ${cp_median}s;" \
     "dezoredu-cli sort best ${sort_best}s, median ${sort_median}s;" \
     "ratio of bests $(ratio "$cp_best" "$sort_best"), of medians $(ratio "$cp_median" "$sort_median") (target >= 0.9)"

repeat_times=""
for round in 1 2 3; do
    start=$(now)
    "$cli" sort "$work/card" "$work/t$rounds" >"$work/out" 2>"$work/err"
    repeat_times="$repeat_times $(since "$start")"
    grep -q "^$count pictures are already in the target" "$work/out" || { cat "$work/out" "$work/err" >&2; exit 1; }
done
echo "repeat sort, nothing new, warm page cache: $(best $repeat_times)s (target < 1 s)"
