#!/usr/bin/env bash
# Builds Drovik and runs it: the window when there is a display, else a
# headless download and conversion. Without a real logger on a USB serial
# port, the simulated logger stands in for it as Com5.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
DROVIK_TARGETS="Drovik drovik-cli drovik-sim" "$root/scripts/build.sh" "$root/build"
bin=$root/build
work=${DROVIK_WORK:-$root/run}
mkdir -p "$work"
cd "$work"

port=${DROVIK_PORT:-}
if [ -z "$port" ]; then
    port=Com5
    export DROVIK_PORTS=${DROVIK_PORTS:-$work/ports}
    "$bin/tools/drovik-sim" --link "$port" --generate 32 >/dev/null &
    sim=$!
    trap 'kill $sim 2>/dev/null; wait $sim 2>/dev/null || true' EXIT
    for _ in $(seq 200); do [ -e "$DROVIK_PORTS/$port" ] && break; sleep 0.1; done
    echo "Simulated logger ready as $port (set DROVIK_PORT=ComN to use a real one)." >&2
fi

settings=$bin/Drovik.ini
if [ ! -e "$settings" ]; then
    printf '[Connection]\r\nCom Port=%s\r\nBaud Rate=115200\r\n' "$port" >"$settings"
fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "Opening the window; press the open button on the port page to connect to $port." >&2
    "$bin/Drovik"
else
    echo "No display: downloading from $port with drovik-cli." >&2
    "$bin/tools/drovik-cli" download --port "$port" -o "$work/data.bin"
    for format in csv kml nma gpx; do
        "$bin/tools/drovik-cli" convert "$work/data.bin" "$work/track.$format"
        echo "Wrote $work/track.$format" >&2
    done
fi
