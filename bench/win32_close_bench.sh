#!/usr/bin/env bash
# How soon the Windows window program is gone once its window is closed in the middle of a run,
# under Wine on a virtual X display: the tree of bench/close_bench.sh (1,111,110 folders) is
# put on drive d: of a Wine prefix of the bench's own, and bench/win32_close_bench.cpp closes
# the window after each delay given (default 2, 10, 30 and 60 s). Wine lists folders far more
# slowly than Linux, so the list holds fewer entries at each delay than in the Qt window.
#
#   bench/win32_close_bench.sh [FOLDER for the tree, default: $TMPDIR or /tmp] [DELAY...]
set -euo pipefail
cd "$(dirname "$0")/.."
folder="${1:-${TMPDIR:-/tmp}}"
shift || true
delays=("$@")
[ ${#delays[@]} -gt 0 ] || delays=(2 10 30 60)

scripts/setup-debian.sh --tests --windows
. bench/common.sh
build_windows win32_close_bench
tree=$(million_tree "$folder")
export QUORVANE_WINE_PREFIX=close-bench
wine=build/windows/run-under-wine.sh
"$wine" cmd /c exit 0  # prepares the prefix and its drive d:
ln -sfn "$tree" build/windows/wine-drive-d-close-bench/tree
xvfb-run -a -s "-screen 0 1024x768x24" "$wine" "$PWD/build/windows/bin/win32_close_bench.exe" \
    'd:\tree' "${delays[@]}"
"$wine" --stop-server || true
