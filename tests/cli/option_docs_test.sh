#!/usr/bin/env bash
# Every option that quorvane-list's --help names is described in its manual page and offered
# by the zsh and fish completions (bash's reads --help itself); each file is valid for its
# reader, and bash completes an option, a folder and the values of an option, as fish does.
# Usage: option_docs_test.sh QUORVANE_LIST DATA_FOLDER
set -euo pipefail
program=$(realpath "$1")
data=$(realpath "$2")
man_page=$data/man/quorvane-list.1
zsh_file=$data/completions/_quorvane-list
fish_file=$data/completions/quorvane-list.fish
bash_file=$data/completions/quorvane-list.bash
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

options=$("$program" --help | grep -oE -- '(^|[ ,])--[a-z0-9][a-z0-9-]*' | sed 's/^[ ,]*//' | sort -u)
[ -n "$options" ] || fail "--help names no options"
man_text=$(sed 's/\\-/-/g' "$man_page")
for option in $options; do
    name=${option#--}
    grep -qE -- "(^|[^a-z0-9-])$option([^a-z0-9-]|\$)" <<<"$man_text" || fail "the manual page lacks $option"
    grep -qE -- "(^|[^a-z0-9-])$option([^a-z0-9-]|\$)" "$zsh_file" || fail "the zsh completion lacks $option"
    grep -qE -- "-l $name( |\$)" "$fish_file" || fail "the fish completion lacks $option"
done

warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$man_page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the manual page: $warnings"
bash -n "$bash_file" || fail "the bash completion does not parse"
if command -v zsh >/dev/null; then zsh -n "$zsh_file" || fail "the zsh completion does not parse"; fi
if command -v fish >/dev/null; then fish -n "$fish_file" || fail "the fish completion does not parse"; fi

# bash: complete "--dep" and a folder name, as the shell would on TAB.
if [ -r /usr/share/bash-completion/bash_completion ]; then
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    mkdir "$scratch/folder" && touch "$scratch/file"
    completed=$(cd "$scratch" && PATH="$(dirname "$program"):$PATH" bash --norc -c '
        source /usr/share/bash-completion/bash_completion
        source "$1"
        complete_line() {
            COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
            COMPREPLY=(); _quorvane_list "$1" "${!#}" "${@: -2:1}"
            printf "%s\n" "${COMPREPLY[@]}"
        }
        complete_line quorvane-list --dep
        complete_line quorvane-list f
        echo ---
        complete_line quorvane-list --format ""
        echo ---
        complete_line quorvane-list --format csv --columns path,f
    ' bash "$bash_file")
    options_and_folders=$(sed '/^---$/,$d' <<<"$completed")
    formats=$(sed -n '/^---$/,/^---$/p' <<<"$completed" | grep -v -- '^---$' | sort | tr '\n' ' ')
    columns=$(sed '1,/^---$/d; 1,/^---$/d' <<<"$completed" | sort | tr '\n' ' ')
    grep -qx -- "--depth" <<<"$options_and_folders" || fail "bash does not complete --depth: $completed"
    grep -qx "folder" <<<"$options_and_folders" || fail "bash does not complete a folder: $completed"
    ! grep -qx "file" <<<"$options_and_folders" || fail "bash offers a file as the folder: $completed"
    [ "$formats" = "csv json tsv " ] || fail "bash offers as --format: $formats"
    [ "$columns" = "path,files path,folders " ] || fail "bash offers as --columns path,f: $columns"
fi
exit $status
