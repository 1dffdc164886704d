#!/usr/bin/env bash
# Installs what building and running need where it is missing, builds the release
# configuration into build/ (the programs, without tests) and starts the program. Arguments go
# to the program: a folder to look at, --help, --version.
set -euo pipefail
cd "$(dirname "$0")/.."

# The window needs a display; without one the build would take minutes only to fail at the
# end. --help and --version answer without a display.
wants_window=true
for argument in "$@"; do
    case "$argument" in
        --) break ;;
        -h | --help | --help-all | -v | --version) wants_window=false ;;
    esac
done
if $wants_window && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] &&
    [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "start.sh: no display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window" >&2
    echo "cannot open. Run this from a desktop session, or over ssh with X forwarding (ssh -X)." >&2
    echo "To build without starting: cmake -S . -B build -G Ninja && cmake --build build" >&2
    exit 1
fi

scripts/setup-debian.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2
exec build/quorvane "$@"
