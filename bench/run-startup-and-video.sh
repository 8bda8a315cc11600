#!/bin/sh
# Whole-process timings of dezoredu-cli, each against a baseline run here:
#   - `info --all-formats` over 100 1080p MP4 files made here with ffmpeg,
#     against `exiftool -fast` on the same files (target: 10x faster);
#   - the same over HEIC files (copies of the samples), against exiftool too,
#     so runs of two builds can be set side by side (target: no slower);
#   - `--version` (target: under 5 ms) and `info` over 3,000 JPEG files
#     against a loop that only reads their marker sections (target: at least
#     0.5 of its rate), by bench/CliStartBench.cpp.
# Arguments: the photos folder (default ../shared/photos beside the repo) and
# the formats samples folder (default ../shared/formats). DEZOREDU_BUILD names
# the build folder (default build-bench, configured for Release here);
# DEZOREDU_CLI another program to time instead of that build's.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
photos=${1:-$repo/../shared/photos}
formats=${2:-$repo/../shared/formats}
build=${DEZOREDU_BUILD:-$repo/build-bench}

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DDEZOREDU_BENCH=ON -DDEZOREDU_GUI=OFF -DDEZOREDU_TESTS=OFF >/dev/null
fi
cmake -S "$repo" -B "$build" -DDEZOREDU_BENCH=ON >/dev/null
ninja -C "$build" -j1 dezoredu-cli cli_start_bench >/dev/null
cli=${DEZOREDU_CLI:-$build/tools/dezoredu-cli}

work=$(mktemp -d "${TMPDIR:-/tmp}/dezoredu-startup-video-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/videos" "$work/heic"
ffmpeg -v error -f lavfi -i testsrc=size=1920x1080:rate=30 -t 10 -pix_fmt yuv420p "$work/phone.mp4"
i=0
while [ $i -lt 100 ]; do
    # Each file its own: the same frames under another creation time.
    ffmpeg -v error -i "$work/phone.mp4" -c copy -metadata creation_time="2024-07-01T10:$((i / 60 + 10)):$((i % 60 + 10))Z" \
        "$work/videos/clip$i.mp4"
    i=$((i + 1))
done
i=0
for f in "$formats"/*.HEIC "$formats"/*.heic "$repo"/tests/data/*.HEIC "$repo"/tests/data/*.heic; do
    [ -f "$f" ] || continue
    j=0
    while [ $j -lt 25 ]; do
        cp "$f" "$work/heic/picture$i-$j.heic"
        j=$((j + 1))
    done
    i=$((i + 1))
done

# Mean seconds of a command over several runs, after a warm-up run.
timed() {
    if command -v hyperfine >/dev/null 2>&1; then
        hyperfine -N --warmup 1 --runs "$1" --export-json "$work/timing.json" "$2" >/dev/null 2>&1 ||
            hyperfine --warmup 1 --runs "$1" --export-json "$work/timing.json" "$2" >/dev/null
        sed -n 's/.*"mean": *\([0-9.e-]*\).*/\1/p' "$work/timing.json" | head -n 1
        return
    fi
    sh -c "$2" >/dev/null 2>&1 || true
    start=$(date +%s%N)
    k=0
    while [ $k -lt "$1" ]; do
        sh -c "$2" >/dev/null 2>&1 || true
        k=$((k + 1))
    done
    echo "$start $(date +%s%N) $1" | awk '{ printf "%.6f\n", ($2 - $1) / 1e9 / $3 }'
}

compare() {  # NAME FOLDER
    ours=$(timed 10 "$cli info --all-formats $2")
    theirs=$(timed 5 "exiftool -fast -q -json $2")
    lines=$("$cli" info --all-formats "$2" | wc -l)
    echo "$ours $theirs" | awk -v name="$1" -v n="$lines" \
        '{ printf "%s: dezoredu-cli %.1f ms, exiftool -fast %.1f ms (%d catalogued): %.1fx faster\n", name, $1 * 1000, $2 * 1000, n, $2 / $1 }'
}

compare "100 1080p MP4 files (target 10x)" "$work/videos"
compare "$(ls "$work/heic" | wc -l) HEIC files" "$work/heic"
version=$(timed 200 "$cli --version")
floor=$(timed 200 "/bin/true")
echo "$version $floor" |
    awk '{ printf "--version (hyperfine or loop): %.2f ms (target < 5 ms); /bin/true on this machine now: %.2f ms\n", $1 * 1000, $2 * 1000 }'
"$build/bench/cli_start_bench" "$cli" "$photos"
