#!/usr/bin/env bash
# Cross-builds quorvane.exe, quorvane-list.exe and their tests for Windows into build/windows/
# (mingw-w64, statically linked) and runs the tests under Wine, in Wine prefixes inside that
# folder; the tests of the window and of the setup program run on virtual X displays (Xvfb).
# Needs what `scripts/setup-debian.sh --windows` installs.
set -euo pipefail
cd "$(dirname "$0")/.."
# -O2 rather than Release's -O3, at which GCC 12 reports false overlaps (-Wrestrict) in
# std::string code.
cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DQUORVANE_BUILD_GUI=OFF -DQUORVANE_TESTS=ON -DQUORVANE_WERROR=ON >/dev/null
cmake --build build/windows -j2
wine=build/windows/run-under-wine.sh
"$wine" --start-server
trap '"$wine" --stop-server 2>/dev/null || true' EXIT
# Three tests at a time, though the machine may have two cores: under Wine the tests wait on
# windows, on Wine's server and on each other's programs more than they compute, and the driven
# window alone takes most of a minute.
ctest --test-dir build/windows --output-on-failure -j3 "$@"
