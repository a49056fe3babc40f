#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks what a desktop needs:
# the three programs in bin/, a valid desktop entry and the icon it names.
# Exit status 77 (skipped) when desktop-file-validate is not installed.
set -euo pipefail
build=${1:?usage: check-install.sh BUILD_DIR}
command -v desktop-file-validate >/dev/null || { echo "desktop-file-validate not installed" >&2; exit 77; }
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
fail() { echo "check-install: $*" >&2; exit 1; }
for program in Drovik drovik-cli drovik-sim; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is missing"
done
entry=$prefix/share/applications/drovik.desktop
[ -f "$entry" ] || fail "the desktop entry is missing"
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "icon $icon is missing"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[ -x "$prefix/bin/$exec_name" ] || fail "the entry starts $exec_name, which is not installed"
