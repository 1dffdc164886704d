#!/usr/bin/env bash
# How soon the window program is gone once its window is closed in the middle of a run over a
# tree of about 1,000,000 folders (the release build on a virtual X display, with a clipboard
# manager to hand copied text to): bench/close_bench.py closes it after each delay given, in a
# new program each time, so the list holds more at each. Prints the seconds from the close to
# the process's end.
#
#   bench/close_bench.sh [FOLDER for the tree, default: $TMPDIR or /tmp] [DELAY...]
set -euo pipefail
cd "$(dirname "$0")/.."
folder="${1:-${TMPDIR:-/tmp}}"
shift || true

scripts/setup-debian.sh --tests
. bench/common.sh
build_window quorvane quorvane-list
tree=$(million_tree "$folder")
# Warm the cache, and time the whole walk for scale.
start=$(date +%s.%N)
build/quorvane-list "$tree" >/dev/null
echo "quorvane-list walks the tree in $(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN{printf "%.2f", e-s}') s"
/usr/bin/python3 bench/close_bench.py build/quorvane "$tree" "$@"
