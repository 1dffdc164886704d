#!/usr/bin/env bash
# The list creation run at the scale of a whole disk: "Start Creating List" in the real window,
# offscreen, on a generated tree of about 1,000,000 folders, next to quorvane-list on the same
# tree in the same session. Prints the window's run time and its ratio to quorvane-list, the
# longest gap between event-loop passes, the scrolling time and the list's memory.
#
#   bench/window_run_bench.sh [FOLDER for the tree, default: $TMPDIR or /tmp]
set -euo pipefail
cd "$(dirname "$0")/.."
folder="${1:-${TMPDIR:-/tmp}}"
tree="$folder/quorvane-bench-1m"

scripts/setup-debian.sh --bench
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target quorvane-window-run-bench quorvane-list >/dev/null

if [ ! -f "$tree/.complete" ]; then
    echo "Making $tree (fan-out 10, 6 levels: 1,111,110 folders)..."
    rm -rf "$tree"
    python3 - "$tree" <<'PY'
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

# Warm the cache, then time each once, alternately.
build/quorvane-list "$tree" >/dev/null
cli_time() { /usr/bin/time -f "%e %M" build/quorvane-list "$tree" 2>&1 >/dev/null | tail -1; }
read -r cli1 cliPeak1 <<<"$(cli_time)"
window=$(build/quorvane-window-run-bench "$tree")
read -r cli2 cliPeak2 <<<"$(cli_time)"
echo "$window"
run=$(awk '/^run /{print $2}' <<<"$window")
cli=$(awk -v a="$cli1" -v b="$cli2" 'BEGIN{print (a+b)/2}')
echo "quorvane-list      $cli s (peak $(( (cliPeak1 > cliPeak2 ? cliPeak1 : cliPeak2) / 1024 )) MiB)"
awk -v w="$run" -v c="$cli" 'BEGIN{printf "window / list      %.2f (target at most 1.1; peak memory at most 80 MiB)\n", w/c}'
