# bash completion for quorvane-list. The options come from its --help; the options that take
# a value are named here once, with what to offer for the value.

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
        --depth | --containing | --not-containing)
            return
            ;;
    esac
    $split && return

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '$(_parse_help "$1")' -- "$cur"))
        return
    fi
    _filedir -d
} &&
    complete -F _quorvane_list quorvane-list
