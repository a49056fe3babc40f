#!/usr/bin/env bash
# Cross-builds drovik-cli for Windows (MinGW-w64, statically linked) and runs
# it under wine against the simulated logger, whose pseudo-terminal the wine
# prefix knows as COM5 and as COM12 (opened as \\.\Com12). Each download must
# give the simulator's memory byte for byte, and converting the image over an
# older file must give the Linux build's files byte for byte.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" --windows

linux=$root/build
windows=$root/build-windows
DROVIK_TARGETS="drovik-cli drovik-sim" "$root/scripts/build.sh" "$linux"
DROVIK_TARGETS="drovik-cli" "$root/scripts/build.sh" "$windows" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DDROVIK_GUI=OFF

work=$(mktemp -d)
sims=()
export WINEPREFIX=$windows/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
wine=/usr/lib/wine/wine64
cleanup() {
    for sim in "${sims[@]}"; do kill "$sim" 2>/dev/null || true; done
    wait 2>/dev/null || true
    [ -d "$WINEPREFIX" ] && /usr/lib/wine/wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "test-windows: FAILED: $*" >&2; exit 1; }

# Starts drovik-sim with the arguments given; its terminal's path goes to $terminal.
start_sim() {
    local out=$work/sim${#sims[@]}.out
    "$linux/tools/drovik-sim" "$@" >"$out" &
    sims+=($!)
    for _ in $(seq 200); do [ -s "$out" ] && break; sleep 0.1; done
    [ -s "$out" ] || fail "drovik-sim did not start"
    terminal=$(head -1 "$out")
}

# The reference memory, fetched by the Linux build from a generated track.
export DROVIK_PORTS=$work/ports
start_sim --generate 4 --memory 1M --link Com5
"$linux/tools/drovik-cli" download --port Com5 -o "$work/memory.bin" 2>"$work/errors.txt" ||
    fail "the Linux download: $(cat "$work/errors.txt")"
[ "$(wc -c <"$work/memory.bin")" -eq $((4 * 65536)) ] || fail "the Linux download is not four sectors long"

if [ ! -d "$WINEPREFIX" ]; then
    echo "Creating the wine prefix (once)..." >&2
    "$wine" wineboot --init >/dev/null 2>&1
fi
start_sim --image "$work/memory.bin" --memory 1M
ln -sfn "$terminal" "$WINEPREFIX/dosdevices/com5"
ln -sfn "$terminal" "$WINEPREFIX/dosdevices/com12"
rm -f "$WINEPREFIX/dosdevices/com7"

cli() { (cd "$work" && timeout 120 "$wine" "$windows/tools/drovik-cli.exe" "$@"); }

# Image names must not start with a device name: on Windows "com5.bin" is COM5.
for port in Com5 Com12; do
    cli download --port "$port" -o "image-$port.bin" 2>"$work/errors.txt" || fail "download from $port: $(cat "$work/errors.txt")"
    cmp "$work/memory.bin" "$work/image-$port.bin" || fail "the image from $port differs from the simulator's memory"
    echo "download --port $port: image identical to the simulator's memory" >&2
done

if cli download --port Com7 -o none.bin 2>"$work/errors.txt"; then
    fail "a port that is not there opened"
fi
grep -q "cannot open Com7: .*drovik-cli ports lists the ports that open." "$work/errors.txt" ||
    fail "Com7: $(cat "$work/errors.txt")"

for format in csv kml nma; do
    "$linux/tools/drovik-cli" convert "$work/memory.bin" "$work/linux.$format" 2>/dev/null
    # An older file is there to be replaced, as a save does it: renamed over.
    echo "an older file" >"$work/windows.$format"
    cli convert image-Com5.bin "windows.$format" 2>"$work/errors.txt" || fail "convert: $(cat "$work/errors.txt")"
    cmp "$work/linux.$format" "$work/windows.$format" || fail "convert to .$format differs from the Linux build's"
    if compgen -G "$work/windows.$format.*.tmp" >/dev/null; then fail "convert left a temporary file"; fi
    echo "convert to .$format over an older file: identical to the Linux build's" >&2
done
echo "test-windows: all passed" >&2
