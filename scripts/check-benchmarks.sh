#!/usr/bin/env bash
# Builds the benchmarks in the README's Release build (build-release) and runs
# each program once, briefly, so that neither the build nor a benchmark rots:
# the shortest runs, a small card of photos, and of the downloads those that
# take seconds (the line-rate ones take minutes at 115,200 Bd).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=test-environment.sh
. "$root/scripts/test-environment.sh"
DROVIK_TARGETS=benchmarks "$root/scripts/build.sh" "$root/build-release" -DCMAKE_BUILD_TYPE=Release

export GEOTAG_BENCH_PHOTOS=20 GEOTAG_BENCH_PHOTO_BYTES=100000
declare -A filters=([bench_download_bench]='WholeMemory|DeadLine')
failed=0
for program in "$root"/build-release/bench/bench_*; do
    name=$(basename "$program")
    echo "== $name" >&2
    # A benchmark that skips with an error still exits 0: its report says so.
    if ! output=$("$program" --benchmark_min_time=0.01 --benchmark_filter="${filters[$name]:-.}") ||
        grep -q "ERROR OCCURRED" <<<"$output"; then
        failed=1
    fi
    echo "$output"
done
exit $failed
