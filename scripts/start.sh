#!/usr/bin/env bash
# Installs what is missing, builds the release configuration into build/ and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target quorvane quorvane-list quorvane_samples
exec build/quorvane "$@"
