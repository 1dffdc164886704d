#!/usr/bin/env bash
# Builds quorvane.exe, runs its driven-window test under Wine on a virtual display, and keeps
# the picture of the window at a first start, which the test takes, as docs/window-windows.png.
# Needs what `scripts/setup-debian.sh --windows` installs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/test-windows.sh -R Win32WindowDrivenOnAVirtualDisplay
cp build/windows/bin/window-windows.png docs/window-windows.png
echo "Saved docs/window-windows.png"
