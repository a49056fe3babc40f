#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for SECONDS (default 60) from the
# checked-in corpus, printing "TARGET: N execs, M crashes". An input that
# crashes is kept in fuzz/corpus/TARGET/ (the replay test then runs it in the
# normal suite) and the script fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build="$root/build-fuzz"
"$root/scripts/install-deps.sh" --fuzz
CC=clang-14 CXX=clang++-14 "$root/scripts/build.sh" "$build" -DDROVIK_FUZZ=ON -DDROVIK_GUI=OFF \
    -DDROVIK_BENCHMARKS=OFF >/dev/null
# The targets write their scratch files per process; keep them off the disk.
[ -d /dev/shm ] && export TMPDIR=/dev/shm
export ASAN_OPTIONS=abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=0
for target in decoder receive track_files settings_file; do
    seeds="$root/fuzz/corpus/$target"
    work="$build/corpus/$target"
    mkdir -p "$work"
    log="$build/$target.log"
    status=0
    "$build/fuzz/fuzz_$target" "$work" "$seeds" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$seeds/" >"$log" 2>&1 || status=$?
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    crashes=0
    if [ "$status" -ne 0 ]; then
        crashes=1
        failed=1
        tail -n 30 "$log" >&2
    fi
    echo "$target: ${execs:-0} execs, $crashes crashes"
done
exit "$failed"
