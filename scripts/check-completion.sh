#!/usr/bin/env bash
# Checks the bash completion of drovik-cli against the built programs: the
# commands, a command's options and an option's choices as --help gives them,
# the port names `drovik-cli ports` finds (a drovik-sim linked as Com5), and
# the files a position of convert takes, by extension.
# Usage: check-completion.sh COMPLETION DROVIK_CLI DROVIK_SIM
set -uo pipefail  # not -e: completion functions end on a failing test now and then
completion=${1:?usage: check-completion.sh COMPLETION DROVIK_CLI DROVIK_SIM}
cli=${2:?} sim=${3:?}
work=$(mktemp -d)
sim_pid=
cleanup() {
    [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/bin" "$work/files/trips"
ln -s "$cli" "$work/bin/drovik-cli"
touch "$work/files/"{data.bin,old.csv,notes.txt}
export PATH=$work/bin:$PATH DROVIK_PORTS=$work/ports
# shellcheck source=/dev/null
source "$completion"

failures=0
# expect "WORDS..." "EXPECTED": completes the last word of WORDS ("" for a new one).
expect() {
    local line=$1 expected=$2
    read -ra COMP_WORDS <<<"$line"
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _drovik_cli
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | xargs)
    if [ "$got" != "$expected" ]; then
        echo "check-completion: \"$line\" gave \"$got\", not \"$expected\"" >&2
        failures=$((failures + 1))
    fi
}

expect "drovik-cli con" "convert"
expect "drovik-cli --" "--help --quiet --version"
expect "drovik-cli --quiet restart " "cold hot warm"
expect "drovik-cli convert --split" "--split --split-into"
expect "drovik-cli convert --format " "csv gpx kml nma"
expect "drovik-cli convert --max-hdop " ""
expect "drovik-cli set --method " "overwrite stop"
expect "drovik-cli restart " "cold hot warm"
(
    cd "$work/files"
    expect "drovik-cli convert " "data.bin old.csv trips"
    expect "drovik-cli convert --time-shift -3 data.bin " "old.csv trips"
    expect "drovik-cli download --port Com5 -o " "data.bin trips"
    exit "$failures"
) || failures=$((failures + $?))

"$sim" --link Com5 >"$work/sim.out" &
sim_pid=$!
for _ in $(seq 200); do [ -e "$DROVIK_PORTS/Com5" ] && break; sleep 0.1; done
expect "drovik-cli status --port C" "Com5"
if ((failures)); then
    echo "check-completion: $failures failed" >&2
    exit 1
fi
