#!/usr/bin/env bash
# Installs the Debian packages that building and testing Quorvane need, only those missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git
    qt6-base-dev zlib1g-dev libgtest-dev
    fonts-liberation unzip clang-format
    xvfb python3-xlib
    xdg-utils  # xdg-mime and xdg-open: the spreadsheet application for the workbook export
)
for option in "$@"; do
    case "$option" in
        --bench) packages+=(bfs fd-find time python3) ;;
        # The Windows cross-build and its tests under Wine (scripts/test-windows.sh): the
        # mingw-w64 compilers with posix threads and zlib for them, Wine, and GoogleTest's
        # sources to build with them.
        --windows) packages+=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64 googletest) ;;
        *) echo "unknown option: $option (known: --bench --windows)" >&2; exit 2 ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
