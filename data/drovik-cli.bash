# bash completion for drovik-cli. The commands, their options and the choices
# of an option are read from the program's own --help, so they follow it; port
# names come from `drovik-cli ports`; files are offered by the extensions a
# command reads or writes.
# COMPREPLY=($(compgen ...)) is how completions are filled; file names are
# split at line ends only.
# shellcheck disable=SC2207

# The commands `drovik-cli --help` lists under "Commands:".
_drovik_cli_commands() {
    "$1" --help 2>/dev/null | awk '/^Commands:/ { inside = 1; next } /^$/ { inside = 0 } inside { print $1 }'
}

# The options a command's --help names.
_drovik_cli_options() {
    "$1" "$2" --help 2>/dev/null | grep -oE '(^|[^A-Za-z0-9_-])--?[a-z][a-z0-9-]*' | sed -E 's/^[^-]//' | sort -u
}

# The choices --help shows after WORDS, as "--format csv|kml|nma|gpx" or
# "drovik-cli log on|off" (choices with "=" or capitals, like gap=MINUTES, are typed).
_drovik_cli_choices() {
    "$1" "$2" --help 2>/dev/null | grep -oE -- "$3 [a-z0-9/-]+(\|[a-z0-9/-]+)+([] ]|$)" | head -n 1 |
        sed -E 's/[] ]$//; s/^.* //; s/\|/ /g'
}

# True when --help shows a value after the option: "-o FILE", "--fix any|KIND".
_drovik_cli_takes_value() {
    # Not grep -q: the program would end on a closed pipe, failing under pipefail.
    "$1" "$2" --help 2>/dev/null | grep -E -- "(^|[ ,\[])$3 ([A-Z]|[a-z0-9/=-]+\|)" >/dev/null
}

# The files with one of the extensions given, and the folders.
_drovik_cli_files() {
    local IFS=$'\n' extension
    compopt -o filenames 2>/dev/null
    COMPREPLY=($(compgen -d -- "$cur"))
    for extension; do
        COMPREPLY+=($(compgen -f -X "!*.$extension" -- "$cur"))
    done
}

_drovik_cli() {
    # --quiet before the command changes nothing of what follows it.
    if [[ ${COMP_WORDS[1]:-} == --quiet ]] && ((COMP_CWORD > 1)); then
        local -a COMP_WORDS=("${COMP_WORDS[0]}" "${COMP_WORDS[@]:2}")
        local COMP_CWORD=$((COMP_CWORD - 1))
    fi
    local program=${COMP_WORDS[0]} cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local command=${COMP_WORDS[1]:-}
    if ((COMP_CWORD == 1)); then
        COMPREPLY=($(compgen -W "$(_drovik_cli_commands "$program") --help --quiet --version" -- "$cur"))
        return
    fi
    case $prev in
    --port)
        if [[ $cur == /* ]]; then
            COMPREPLY=($(compgen -f -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$("$program" ports 2>/dev/null | cut -d' ' -f1)" -- "$cur"))
        fi
        return
        ;;
    -o)
        _drovik_cli_files bin
        return
        ;;
    --csv)
        _drovik_cli_files csv
        return
        ;;
    esac
    if [[ $prev == -* ]] && _drovik_cli_takes_value "$program" "$command" "$prev"; then
        COMPREPLY=($(compgen -W "$(_drovik_cli_choices "$program" "$command" "$prev")" -- "$cur"))
        return
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(_drovik_cli_options "$program" "$command")" -- "$cur"))
        return
    fi
    # The words before this one that are neither options nor their values.
    local i positional=0
    for ((i = 2; i < COMP_CWORD; i++)); do
        if [[ ${COMP_WORDS[i]} == -* ]]; then
            _drovik_cli_takes_value "$program" "$command" "${COMP_WORDS[i]}" && ((i++))
        else
            ((positional++))
        fi
    done
    case $command:$positional in
    convert:0) _drovik_cli_files bin csv ;;
    convert:1) _drovik_cli_files csv kml nma nmea gpx ;;
    *:0) COMPREPLY=($(compgen -W "$(_drovik_cli_choices "$program" "$command" "drovik-cli $command")" -- "$cur")) ;;
    esac
}
complete -F _drovik_cli drovik-cli
