#!/usr/bin/env bash
# Installs the Debian packages that Quorvane needs, only those missing: by default what building
# and running the programs need; --tests adds what the tests need, --bench the tools the
# benchmarks time, --windows the Windows cross-build. Where it cannot install (neither root nor
# sudo), it names the packages and the command that installs them, and fails.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev zlib1g-dev
    fonts-liberation  # the metric twin of Arial, so the window's fixed layout fits
    xdg-utils         # xdg-mime and xdg-open: the spreadsheet application for the workbook export
    # The desktop's own file dialogs: through the desktop portal on GNOME and KDE, and GTK's
    # dialogs where no portal runs.
    qt6-xdgdesktopportal-platformtheme qt6-gtk-platformtheme
)
for option in "$@"; do
    case "$option" in
        --tests)
            # clang-format and git for the format check; Xvfb, xauth (which xvfb-run needs but
            # only recommends) and python3-xlib for the tests that start the real programs;
            # unzip for a second opinion on the workbooks' zip archives; appstream and
            # desktop-file-utils to validate the desktop files, dpkg-dev for the package,
            # the shells whose completions are checked, lintian for Debian's policy, and the
            # second Liberation Sans (which LibreOffice brings), under which the Windows
            # window is checked too.
            packages+=(libgtest-dev clang-format git unzip xvfb xauth python3-xlib
                appstream desktop-file-utils dpkg-dev bash-completion zsh fish lintian
                fonts-liberation2) ;;
        --bench) packages+=(bfs fd-find time python3) ;;
        # The Windows cross-build and its tests under Wine (scripts/test-windows.sh): the
        # mingw-w64 compilers with posix threads and zlib for them, Wine, GoogleTest's
        # sources to build with them, and NSIS for the setup program of the package target.
        --windows) packages+=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64 googletest
            nsis) ;;
        *) echo "unknown option: $option (known: --tests --bench --windows)" >&2; exit 2 ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

install_command="apt-get update && apt-get install --no-install-recommends ${missing[*]}"
cannot_install() {
    echo "These packages are missing: ${missing[*]}" >&2
    echo "Install them as root, then run this again:" >&2
    echo "    su -c '$install_command'" >&2
    exit 1
}

if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null && sudo -v; then
    sudo=(sudo)
else
    cannot_install
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq || cannot_install
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" || cannot_install
