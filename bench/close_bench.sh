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
tree="$folder/quorvane-bench-1m"

scripts/setup-debian.sh --tests
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target quorvane quorvane-list >/dev/null

# The tree of bench/window_run_bench.sh: fan-out 10, 6 levels, 1,111,110 folders.
if [ ! -f "$tree/.complete" ]; then
    echo "Making $tree (fan-out 10, 6 levels: 1,111,110 folders)..."
    rm -rf "$tree"
    /usr/bin/python3 - "$tree" <<'PY'
import os, sys
root = sys.argv[1]
def make(path, level):
    for i in range(10):
        child = os.path.join(path, f"folder {level}-{i:02d}")
        os.mkdir(child)
        if level < 6:
            make(child, level + 1)
os.makedirs(root)
make(root, 1)
open(os.path.join(root, ".complete"), "w").close()
PY
fi
# Warm the cache, and time the whole walk for scale.
start=$(date +%s.%N)
build/quorvane-list "$tree" >/dev/null
echo "quorvane-list walks the tree in $(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN{printf "%.2f", e-s}') s"
/usr/bin/python3 bench/close_bench.py build/quorvane "$tree" "$@"
