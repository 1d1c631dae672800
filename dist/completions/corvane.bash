# bash completion of corvane's options. Layout names and display numbers come from the running
# Corvane (corvane --list, which starts it when it does not run).

_corvane_listed()
{
    # $1: "layout", "display" or "desktop"; prints field 2 of those lines of corvane --list.
    corvane --list 2>/dev/null | awk -F '\t' -v kind="$1" '$1 == kind { print $2 }'
}

_corvane()
{
    local cur prev
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD-1]}
    case $prev in
        --log-level)
            mapfile -t COMPREPLY < <(compgen -W 'debug info warning error' -- "$cur")
            return ;;
        --snap-active)
            mapfile -t COMPREPLY < <(compgen -W '1 2 3 4 5 6 7 8 9 next previous up down' -- "$cur")
            return ;;
        --apply-layout)
            # Names may hold spaces: one candidate per line, quoted for the command line.
            local name
            COMPREPLY=()
            while IFS= read -r name; do
                if [[ ${name,,} == "${cur,,}"* ]]; then
                    COMPREPLY+=("$(printf '%q' "$name")")
                fi
            done < <(_corvane_listed layout)
            return ;;
        --display)
            mapfile -t COMPREPLY < <(compgen -W "$(_corvane_listed display)" -- "$cur")
            return ;;
        --desktop)
            mapfile -t COMPREPLY < <(compgen -W "$(_corvane_listed desktop)" -- "$cur")
            return ;;
    esac
    mapfile -t COMPREPLY < <(compgen -W '-h --help --help-all -v --version --log-level
        --snap-active --snap-all --apply-layout --display --desktop --list --preferences --layout-editor' -- "$cur")
}
complete -F _corvane corvane
