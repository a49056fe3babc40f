#!/usr/bin/env bash
# Formats every C++ file of the repository with the pinned clang-format.
# "--check" changes nothing and fails when a file is not formatted.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format-14 >/dev/null || ./scripts/install-deps.sh
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--check" ]; then
    clang-format-14 --dry-run --Werror "${files[@]}"
else
    clang-format-14 -i "${files[@]}"
fi
