#!/usr/bin/env bash
# Builds the Debian package drovik_VERSION_amd64.deb in build-package/ from a
# Release build of the programs alone (no tests, no benchmarks), and checks it
# with lintian, which must report no error. Prints the package's path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-package
"$root/scripts/install-deps.sh"
"$root/scripts/install-deps.sh" --package
# Debian's hardening flags (bindnow included); without -g, as the package is stripped.
cd "$root"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
"$root/scripts/build.sh" "$build" -DCMAKE_BUILD_TYPE=Release -DDROVIK_TESTS=OFF -DDROVIK_BENCHMARKS=OFF \
    -DCMAKE_CXX_FLAGS="${cxxflags/-g /}" -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >&2
rm -f "$build"/drovik_*.deb
(cd "$build" && cpack -G DEB >&2)
package=$(echo "$build"/drovik_*_amd64.deb)
[ -f "$package" ] || { echo "package: cpack made no drovik_*_amd64.deb" >&2; exit 1; }
# Errors fail; warnings are shown and left to the reader.
lintian --fail-on error "$package" >&2
echo "$package"
