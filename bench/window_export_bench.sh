#!/usr/bin/env bash
# Times the commands of the results list through the real main window, shown on the offscreen
# platform, on a list of 1,000,000 generated paths (or the count given): each filter, the text
# file, the clipboard text and the workbook, each in a process of its own. Prints seconds, the
# longest time the window's event loop did not run, and peak memory beside the memory of the
# window holding the list.
#
#   bench/window_export_bench.sh [COUNT] [FOLDER for the text file, default: the temporary folder]
set -euo pipefail
cd "$(dirname "$0")/.."
count="${1:-1000000}"
folder="${2:-${TMPDIR:-/tmp}}"

. bench/common.sh
build_window quorvane-window-bench

echo "Targets: each under 3 s, the workbook under 15 s in constant memory;"
echo "the event loop never waits more than 0.050 s."
for operation in containing not-containing text-file clipboard workbook; do
    build/quorvane-window-bench "$operation" "$count" "$folder"
done
