#!/usr/bin/env bash
# Installs the Debian packages that building and testing Quorvane need, only those missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git
    qt6-base-dev libxlsxwriter-dev libgtest-dev
    fonts-liberation unzip
    xvfb python3-xlib
    xdg-utils  # xdg-mime and xdg-open: the spreadsheet application for the workbook export
)
if [ "${1:-}" = "--bench" ]; then
    packages+=(bfs fd-find time python3)
fi

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
