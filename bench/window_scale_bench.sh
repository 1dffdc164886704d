#!/usr/bin/env bash
# The Qt window at the scale of a file server, offscreen: COUNT made-up folders (default
# 10,000,000, names of 5 to 40 bytes, 1 to 13 levels below the target) through "Start Creating
# List" as a walk's folders come, then scrolling, both filters, the text file and "Clear
# Results" (see bench/scale_steps.h). Prints each step's time, the longest wait of the event
# loop and the memory of the process, then what the list cost beyond its names.
#
#   bench/window_scale_bench.sh [COUNT] [FOLDER for the text file, default: $TMPDIR or /tmp]
#                               [--all-exports: the clipboard and the workbook too, for lists
#                                of a million or so]
set -euo pipefail
cd "$(dirname "$0")/.."
count="${1:-10000000}"
folder="${2:-${TMPDIR:-/tmp}}"

. bench/common.sh
build_window quorvane-window-scale-bench
echo "Targets: peak at most 600 MiB for 10,000,000 folders, the list at most 30 bytes an entry"
echo "beyond its names; no wait of the event loop over 50 ms."
QT_QPA_PLATFORM=offscreen build/quorvane-window-scale-bench "$count" "$folder" "${3:-}"
