#!/usr/bin/env bash
# Checks the naming rule of .clang-tidy over every source file of a build
# folder's compilation database (default build/); "--fix" renames what breaks
# it, declarations and uses together.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/install-deps.sh" --naming
fix=false
if [ "${1:-}" = "--fix" ]; then fix=true; shift; fi
build=$(realpath -m "${1:-"$root/build"}")
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A library's headers are reached through its folder of links in the build
# (see drovik_library), so one header shows under two paths.
headers="^($root/(src|tools|tests|bench|fuzz)|$build/include)/"
run-clang-tidy -quiet -p "$build" -j"$(nproc)" -header-filter="$headers" \
    -export-fixes "$work/fixes.yaml" "^$root/(src|tools|tests|bench|fuzz)/" >"$work/log" 2>&1 || true
sed 's/\x1b\[[0-9;]*m//g' "$work/log" | grep -E "(warning|error):" | sed -E "s#^$build/include/[^/]+/#$root/src/#" | sort -u >"$work/found" || true
if ! $fix; then
    cat "$work/found"
    [ ! -s "$work/found" ]
    exit
fi
mkdir "$work/apply"
sed -E "s#(FilePath: *'?)$build/include/[^/]+/#\1$root/src/#" "$work/fixes.yaml" >"$work/apply/fixes.yaml"
clang-apply-replacements "$work/apply"
echo "renamed: $(grep -c warning: "$work/found") names" >&2
