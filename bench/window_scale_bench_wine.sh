#!/usr/bin/env bash
# The Win32 window at the scale of a file server, under Wine on a virtual X display: COUNT
# made-up folders (default 10,000,000) through "Start Creating List" into the real window and
# its virtual list view, then scrolling, both filters, the text file and "Clear Results" (see
# bench/scale_steps.h). Prints each step's time, the longest wait of the event loop (to the
# 10 ms of a Win32 timer) and the memory of the process. Needs what
# `scripts/setup-debian.sh --windows` installs, and xvfb-run.
#
#   bench/window_scale_bench_wine.sh [COUNT] [--all-exports: the clipboard and the workbook
#                                             too, for lists of a million or so]
set -euo pipefail
cd "$(dirname "$0")/.."
count="${1:-10000000}"

. bench/common.sh
build_windows quorvane-window-scale-bench

export QUORVANE_WINE_PREFIX=bench
xvfb-run -a -s "-screen 0 1024x768x24" \
    build/windows/run-under-wine.sh build/windows/bin/quorvane-window-scale-bench.exe "$count" "${2:-}"
build/windows/run-under-wine.sh --stop-server 2>/dev/null || true
