#!/usr/bin/env bash
# quorvane-list beside find on the same trees: several FOLDERs give each folder's list in turn,
# in the order given, the same folders as find; -x gives find -xdev's folders, with a file
# system mounted inside the tree (in a mount namespace of the test's own, so nothing of the
# machine's changes; where none can be made, that part is skipped and the test says so).
# Usage: find_comparison_test.sh QUORVANE_LIST
set -euo pipefail
program=$(realpath "$1")
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
mkdir -p one/a/b/c one/a/d one/.hidden/e "two/f g" two/h/i three
listed() { "$program" --hidden "$@"; }
found() { find "$@" -mindepth 1 -type d; }

# Each FOLDER in turn: the same bytes as one run per folder, and the folders find names.
together=$(listed one two three one)
apart=$(listed one; listed two; listed three; listed one)
[ "$together" = "$apart" ] || fail "several FOLDERs are not each folder's list in turn:
$together"
[ "$(sort <<<"$together")" = "$(found one two three one | sort)" ] ||
    fail "several FOLDERs list other folders than find"
[ "$("$program" --depth 1 two one)" = "$("$program" --depth 1 two; "$program" --depth 1 one)" ] ||
    fail "the options do not hold for every FOLDER"

# One missing FOLDER: named, and nothing listed.
output=$("$program" one missing 2>"$scratch/err") && fail "a missing FOLDER was not refused"
[ -z "$output" ] || fail "a list was written though a FOLDER is missing: $output"
grep -q "missing: No such file or directory" "$scratch/err" || fail "not named: $(cat "$scratch/err")"

# -x beside find -xdev, and without it beside find.
if [ "$(id -u)" -eq 0 ]; then namespace=(unshare -m); else namespace=(unshare -rm); fi
if "${namespace[@]}" true 2>/dev/null; then
    compared=$("${namespace[@]}" bash -c '
        set -e
        mount -t tmpfs quorvane-test one/a
        mkdir -p one/a/on/the/other one/a/.also
        for option in -x --one-file-system --xdev -xdev; do
            [ "$("$1" --hidden $option one | sort)" = "$(find one -xdev -mindepth 1 -type d | sort)" ] ||
                echo "$option differs from find -xdev"
        done
        [ "$("$1" --hidden one | sort)" = "$(find one -mindepth 1 -type d | sort)" ] ||
            echo "without -x the list differs from find"
        "$1" -x one | grep -q "^one/a$" || echo "-x leaves out the folder with a volume on it"
    ' bash "$program") || fail "the mount namespace failed"
    [ -z "$compared" ] || fail "$compared"
else
    echo "No mount namespace can be made here: -x is not compared with find -xdev."
fi
exit $status
