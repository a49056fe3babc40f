#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for SECONDS (default 60), one per
# core at a time, from the checked-in corpus, printing per target
# "TARGET: N execs, M crashes". An input that crashes is kept in
# fuzz/corpus/TARGET/ (the replay test then runs it in the normal suite) and
# the script fails.
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
# One target per core at a time, each for the full SECONDS.
run_target() {
    local target=$1 seeds="$root/fuzz/corpus/$1" work="$build/corpus/$1"
    mkdir -p "$work"
    # No other process adds to the work folder, so rereading it every second
    # (-reload) would only cost time.
    "$build/fuzz/fuzz_$target" "$work" "$seeds" -max_total_time="$seconds" -timeout=10 -reload=0 \
        -print_final_stats=1 -artifact_prefix="$seeds/" >"$build/$target.log" 2>&1
}
targets=(decoder receive track_files settings_file)
for target in "${targets[@]}"; do
    while (($(jobs -rp | wc -l) >= $(nproc))); do wait -n || true; done
    (
        code=0
        run_target "$target" || code=$?
        echo "$code" >"$build/$target.status"
    ) &
done
wait
failed=0
for target in "${targets[@]}"; do
    log="$build/$target.log"
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    crashes=0
    if [ "$(cat "$build/$target.status")" -ne 0 ]; then
        crashes=1
        failed=1
        tail -n 30 "$log" >&2
    fi
    echo "$target: ${execs:-0} execs, $crashes crashes"
done
exit "$failed"
