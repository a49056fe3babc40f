#!/usr/bin/env bash
# Fails when the core or a tool includes the window's headers (src/app): the
# core is plain C++ that the window builds on, never the other way round.
set -euo pipefail
cd "$(dirname "$0")/.."
if grep -rn '#include "app/' src/core src/decode src/link src/logger src/export src/geotag src/testbed tools; then
    echo "check-layers: the lines above include app/ from the core or a tool" >&2
    exit 1
fi
