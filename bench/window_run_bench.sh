#!/usr/bin/env bash
# The list creation run at the scale of a whole disk, on a generated tree of 1,111,110 folders,
# next to quorvane-list on the same tree in the same session:
#   - the real window offscreen (window_run_bench.cpp): the run's time and its ratio to
#     quorvane-list's, the longest gap between event-loop passes, scrolling and the list's
#     memory;
#   - the real window on a virtual X display (window_ping_bench.py), as a desktop sees it: the
#     longest answer to _NET_WM_PING during the run with the folders in the page cache, and
#     again with the cache dropped before the run (that takes root; skipped otherwise), with
#     the run's time and peak memory.
#
#   bench/window_run_bench.sh [FOLDER for the tree, default: $TMPDIR or /tmp]
set -euo pipefail
cd "$(dirname "$0")/.."
folder="${1:-${TMPDIR:-/tmp}}"

scripts/setup-debian.sh --bench --tests
. bench/common.sh
build_window quorvane quorvane-window-run-bench quorvane-list
tree=$(million_tree "$folder")

# Warm the cache, then time each once, alternately.
build/quorvane-list "$tree" >/dev/null
cli_time() { /usr/bin/time -f "%e %M" build/quorvane-list "$tree" 2>&1 >/dev/null | tail -1; }
read -r cli1 cliPeak1 <<<"$(cli_time)"
window=$(build/quorvane-window-run-bench "$tree")
read -r cli2 cliPeak2 <<<"$(cli_time)"
echo "The window offscreen:"
echo "$window"
run=$(awk '/^run /{print $2}' <<<"$window")
cli=$(awk -v a="$cli1" -v b="$cli2" 'BEGIN{print (a+b)/2}')
echo "quorvane-list      $cli s (peak $(( (cliPeak1 > cliPeak2 ? cliPeak1 : cliPeak2) / 1024 )) MiB)"
awk -v w="$run" -v c="$cli" 'BEGIN{printf "window / list      %.2f\n", w/c}'

echo
echo "The window on a virtual X display, warm:"
/usr/bin/python3 bench/window_ping_bench.py build/quorvane "$tree"
if [ -w /proc/sys/vm/drop_caches ]; then
    echo
    echo "The same with the page cache dropped just before the run:"
    /usr/bin/python3 bench/window_ping_bench.py build/quorvane "$tree" --cold
    sync && echo 3 >/proc/sys/vm/drop_caches
    /usr/bin/time -f "quorvane-list cold %e s" build/quorvane-list "$tree" 2>&1 >/dev/null | tail -1
else
    echo "cold: skipped, the page cache cannot be dropped here (it takes root)"
fi
