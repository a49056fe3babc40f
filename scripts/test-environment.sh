# Sourced by the scripts that run tests or benchmarks (with $root set): the
# tools they need, and a window system without a display whose runtime
# folder is private, as Qt wants it.
"$root/scripts/install-deps.sh"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen
