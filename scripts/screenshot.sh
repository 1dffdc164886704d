#!/usr/bin/env bash
# Builds the program and saves a picture of the main window as it opens at a first start into
# docs/window.png. Runs offscreen: no display is needed, and the user's settings are left alone.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target quorvane-screenshot
mkdir -p docs
QT_QPA_PLATFORM=offscreen build/quorvane-screenshot docs/window.png
echo "Saved docs/window.png"
