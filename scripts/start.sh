#!/usr/bin/env bash
# Installs what building and running need where it is missing, builds the release
# configuration into build/ (the programs, without tests) and starts the program. Arguments go
# to the program: a folder to look at, --help, --version.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2
exec build/quorvane "$@"
