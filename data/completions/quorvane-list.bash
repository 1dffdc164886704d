# bash completion for quorvane-list. The options come from its --help; the options that take
# a value are named here once, with what to offer for the value, as the zsh and fish
# completions offer it.

_quorvane_list() {
    local cur prev words cword split
    _init_completion -s || return

    case $prev in
        -o | --output | --xlsx)
            _filedir
            return
            ;;
        --drive)
            local IFS=$'\n'
            COMPREPLY=($(compgen -W "$("$1" --list-drives 2>/dev/null | cut -f2)" -- "$cur"))
            return
            ;;
        --format)
            COMPREPLY=($(compgen -W 'csv tsv json' -- "$cur"))
            return
            ;;
        --columns)
            # A comma-separated list: the names after the last comma, not yet in it.
            local given=${cur%"${cur##*,}"} name
            local -a left=()
            for name in path name depth files folders bytes modified; do
                [[ ,$given == *,$name,* ]] || left+=("$given$name")
            done
            compopt -o nospace 2>/dev/null
            COMPREPLY=($(compgen -W '${left[@]}' -- "$cur"))
            return
            ;;
        --sort)
            # Its value only after "=" (--sort=natural); --sort alone is name order.
            if $split; then
                COMPREPLY=($(compgen -W 'name natural' -- "$cur"))
                return
            fi
            ;;
        -d | --depth | --max-depth | -maxdepth | --min-depth | -mindepth | --exact-depth | \
            -j | --threads | -E | --exclude | --iexclude | --containing | --not-containing)
            return
            ;;
    esac
    $split && return

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '$(_parse_help "$1")' -- "$cur"))
        [[ ${COMPREPLY-} == *= ]] && compopt -o nospace 2>/dev/null
        return
    fi
    _filedir -d
} &&
    complete -F _quorvane_list quorvane-list
