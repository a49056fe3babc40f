#!/usr/bin/env bash
# Checks the manual pages against the programs: every option a program's
# --help names must be in its page, and every option an entry of the page
# heads must still be in --help. A program with commands (drovik-cli) needs a
# section ".SS COMMAND" per command, checked against "PROGRAM COMMAND --help".
# Each program's --version must print its name and VERSION.
# Usage: check-manuals.sh MANDIR VERSION PROGRAM...
set -euo pipefail
mandir=${1:?usage: check-manuals.sh MANDIR VERSION PROGRAM...}
version=${2:?usage: check-manuals.sh MANDIR VERSION PROGRAM...}
shift 2
failures=0
fail() {
    echo "check-manuals: $*" >&2
    failures=$((failures + 1))
}

# The options a text names (-o, --max-hdop), not numbers (-12) or words (M-241).
options_in() { grep -oE '(^|[^A-Za-z0-9_-])--?[a-z][a-z0-9-]*' | sed -E 's/^[^-]//' | sort -u || true; }
# The options that head an entry: the line after each .TP.
entry_options() { awk 'heading { print; heading = 0 } /^\.TP/ { heading = 1 }' | options_in; }
# A manual page's source as plain text: "\-" as "-", font changes left out.
page_text() { sed -E 's/\\-/-/g; s/\\f[BIRP]//g' "$1"; }
# The lines under ".SS NAME" up to the next .SS or .SH.
section() { awk -v name="$1" '/^\.S[SH] / { inside = ($0 == ".SS " name); next } inside'; }
# The lines outside ".SH COMMANDS".
outside_commands() { awk '/^\.SH / { inside = ($0 == ".SH COMMANDS") } !inside'; }
# The commands a program's --help lists under "Commands:".
commands_in() { awk '/^Commands:/ { inside = 1; next } /^$/ { inside = 0 } inside { print $1 }'; }
has_option() { grep -qE -- "(^|[^A-Za-z0-9_-])$1([^A-Za-z0-9_-]|\$)"; }

# compare WHERE HELP TEXT: the options of HELP against the page text TEXT.
compare() {
    local where=$1 help=$2 text=$3 option
    for option in $(options_in <<<"$help"); do
        has_option "$option" <<<"$text" || fail "$where: $option is in --help but not in the manual page"
    done
    for option in $(entry_options <<<"$text"); do
        has_option "$option" <<<"$help" || fail "$where: the manual page has an entry for $option, which --help does not name"
    done
}

for program in "$@"; do
    name=$(basename "$program")
    page=$mandir/$name.1
    if [ ! -f "$page" ]; then
        fail "$name has no manual page $page"
        continue
    fi
    text=$(page_text "$page")
    help=$("$program" --help)
    compare "$page" "$help" "$(outside_commands <<<"$text")"
    commands=$(commands_in <<<"$help")
    for command in $commands; do
        if ! grep -qx "\.SS $command" <<<"$text"; then
            fail "$page: no section \".SS $command\" for the command $command ($name $command --help)"
            continue
        fi
        compare "$page, section $command" "$("$program" "$command" --help)" "$(section "$command" <<<"$text")"
    done
    if [ -n "$commands" ]; then
        for command in $(sed -n 's/^\.SS //p' <<<"$text"); do
            grep -qx "$command" <<<"$commands" || fail "$page: section $command, but $name --help has no such command"
        done
    fi
    shown=$("$program" --version)
    [[ $shown == "$name $version"* ]] || fail "$name --version printed \"$shown\", not \"$name $version...\""
done
if ((failures)); then
    echo "check-manuals: $failures problems" >&2
    exit 1
fi
