#!/usr/bin/env bash
# Times the results list operations on a list of 1,000,000 generated paths (or the count
# given): each filter, the text file, the clipboard text and the workbook, each in a process
# of its own. Prints seconds, the longest stretch without a yield to the window, and peak
# memory beside the memory of the list alone.
#
# Given a TREE as well, times quorvane-list's own filters and formats on it (walk included;
# /usr/bin/time gives seconds and peak memory).
#
#   bench/results_bench.sh [COUNT] [FOLDER for the written files, default: the temporary folder]
#                          [TREE]
set -euo pipefail
cd "$(dirname "$0")/.."
count="${1:-1000000}"
folder="${2:-${TMPDIR:-/tmp}}"

. bench/common.sh
build_window quorvane-results-bench quorvane-list

echo "Targets: each under 3 s, the workbook under 15 s in constant memory."
for operation in containing not-containing text-file clipboard workbook; do
    build/quorvane-results-bench "$operation" "$count" "$folder"
done

tree="${3:-}"
[ -n "$tree" ] || exit 0
echo
echo "quorvane-list on $tree:"
cli() {
    local label="$1"
    shift
    /usr/bin/time -f "%e s   peak %M KB" -o "$folder/quorvane-bench.time" \
        build/quorvane-list "$@" "$tree" >/dev/null
    printf '%-40s %s\n' "$label" "$(cat "$folder/quorvane-bench.time")"
}
cli "plain list" -o "$folder/quorvane-bench.txt"
cli "--containing cache" --containing cache -o "$folder/quorvane-bench.txt"
cli "--not-containing cache" --not-containing cache -o "$folder/quorvane-bench.txt"
cli "--clipboard-format" --clipboard-format -o "$folder/quorvane-bench.txt"
cli "--xlsx" --xlsx "$folder/quorvane-bench.xlsx"
echo "entries: $(build/quorvane-list "$tree" | wc -l)"
rm -f "$folder/quorvane-bench.time" "$folder/quorvane-bench.txt" "$folder/quorvane-bench.xlsx"
