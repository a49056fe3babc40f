#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh), installs it with apt-get as
# a user would, runs the installed programs from /usr/bin (their versions, a
# download from drovik-sim and its conversion to GPX), finds the manual pages
# and removes the package again. Run as root or with sudo; it stops when
# drovik is already installed, to leave a user's own installation alone.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
started=$SECONDS
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
fail() {
    echo "check-package: FAILED: $*" >&2
    exit 1
}
if dpkg-query -W -f='${Status}' drovik 2>/dev/null | grep -q "install ok installed"; then
    fail "drovik is installed already; remove it first"
fi

package=$("$root/scripts/package.sh")
work=$(mktemp -d)
sim=""
cleanup() {
    [ -n "$sim" ] && kill "$sim" 2>/dev/null && wait "$sim" 2>/dev/null
    rm -rf "$work"
    if dpkg-query -W -f='${Status}' drovik 2>/dev/null | grep -q "install ok installed"; then
        $SUDO apt-get remove -y -qq drovik >/dev/null
    fi
}
trap cleanup EXIT

# apt-get takes a package file by a path with a slash, and fetches what it depends on.
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "$package" >/dev/null 2>"$work/apt.err" ||
    fail "apt-get install: $(cat "$work/apt.err")"
for program in Drovik drovik-cli drovik-sim; do
    version=$("/usr/bin/$program" --version) || fail "/usr/bin/$program --version"
    [[ $version == "$program "* ]] || fail "/usr/bin/$program --version printed \"$version\""
    man -w "$program" >/dev/null || fail "man finds no page for $program"
done
echo "check-package: installed $(basename "$package"): $(/usr/bin/drovik-cli --version)" >&2

cd "$work"
export DROVIK_PORTS=$work/ports
/usr/bin/drovik-sim --link Com5 --generate 4 >sim.out &
sim=$!
for _ in $(seq 200); do [ -e "$DROVIK_PORTS/Com5" ] && break; sleep 0.1; done
/usr/bin/drovik-cli download --port Com5 -o data.bin 2>download.err || fail "download: $(cat download.err)"
/usr/bin/drovik-cli convert data.bin track.gpx 2>convert.err || fail "convert: $(cat convert.err)"
grep -q "<trkpt " track.gpx || fail "the converted track has no points"
[ -f /usr/share/applications/drovik.desktop ] || fail "the desktop entry is not installed"
[ -f /usr/share/bash-completion/completions/drovik-cli ] || fail "the completion is not installed"

cd "$root"
$SUDO apt-get remove -y -qq drovik >/dev/null
[ ! -e /usr/bin/drovik-cli ] || fail "apt-get remove left /usr/bin/drovik-cli"
echo "check-package: install, run and removal passed in $((SECONDS - started)) s" >&2
