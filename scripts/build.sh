#!/usr/bin/env bash
# Configures and builds into the folder given (default build/); extra
# arguments go to cmake's configure step. DROVIK_TARGETS, when set, names the
# targets to build instead of everything.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
shift || true
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
# shellcheck disable=SC2086
cmake --build "$build" -j"$(nproc)" ${DROVIK_TARGETS:+--target $DROVIK_TARGETS}
