#!/usr/bin/env bash
# Builds and runs every test under AddressSanitizer and
# UndefinedBehaviorSanitizer. "--plain" builds and runs them without.
# "--tsan" builds without Qt under ThreadSanitizer (build-tsan) and runs what
# that build has: the unit tests and the end-to-end tests of drovik-cli and
# drovik-sim, which are built with it too.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=test-environment.sh
. "$root/scripts/test-environment.sh"

run_suite() {
    local build=$1; shift
    "$root/scripts/build.sh" "$build" "$@"
    (cd "$build" && ctest --output-on-failure -j2 --timeout 300)
}

if [ "${1:-}" = "--plain" ]; then
    run_suite "$root/build"
    exit
fi
if [ "${1:-}" = "--tsan" ]; then
    # A report fails the process it happens in (exit 66), the test or a tool the test runs.
    export TSAN_OPTIONS=second_deadlock_stack=1
    run_suite "$root/build-tsan" -DDROVIK_TSAN=ON -DDROVIK_GUI=OFF -DDROVIK_BENCHMARKS=OFF
    exit
fi
# Qt keeps some allocations until exit on purpose; leaks are not this run's subject.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_suite "$root/build-sanitize" -DDROVIK_SANITIZE=ON -DDROVIK_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug
