#!/bin/sh
# Makes the setup program and the portable zip as the package target does (cpack), and a
# setup program of an older version that installs one file more (Retired.txt), then runs their
# driver (setup_driver_test.cpp) on a virtual X display, in a fresh Wine prefix of its own
# whose drive d: holds them, the zip unpacked.
#
#   setup_test.sh RUN_UNDER_WINE DRIVER.exe CMAKE CPACK CPACK_CONFIG
set -eu
wine="$1"
driver="$2"
cmake="$3"
cpack="$4"
config="$5"
export QUORVANE_WINE_PREFIX=setup

if [ -z "${QUORVANE_IN_XVFB:-}" ]; then
    export QUORVANE_IN_XVFB=1
    exec sh "$(dirname "$0")/virtual_display.sh" "$0" "$@"
fi

build=$(dirname "$wine")
drive="$build/wine-drive-d-$QUORVANE_WINE_PREFIX"
if [ -e "$build/wine-prefix-$QUORVANE_WINE_PREFIX" ]; then
    "$wine" --stop-server 2>/dev/null || true
fi
rm -rf "$build/wine-prefix-$QUORVANE_WINE_PREFIX" "$drive"
mkdir -p "$drive"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
package() {
    if ! "$cpack" --config "$config" "$@" >"$scratch/cpack.log" 2>&1; then
        cat "$scratch/cpack.log" >&2
        exit 1
    fi
}
package -B "$scratch/current"
mkdir "$scratch/retired"
echo "A file that only the older version installs." >"$scratch/retired/Retired.txt"
package -G NSIS64 -R 0.9.0 -D "CPACK_INSTALLED_DIRECTORIES=$scratch/retired;." -B "$scratch/older"

setup=$(cd "$scratch/current" && ls ./*-setup.exe)
older=$(cd "$scratch/older" && ls ./*-setup.exe)
zip=$(cd "$scratch/current" && ls ./*.zip)
cp "$scratch/current/$setup" "$scratch/older/$older" "$drive/"
(cd "$drive" && "$cmake" -E tar xf "$scratch/current/$zip")
echo "made ${setup#./}, ${zip#./} and, as the older version, ${older#./}"

export QUORVANE_SETUP="D:\\${setup#./}" QUORVANE_OLDER_SETUP="D:\\${older#./}"
export QUORVANE_PORTABLE="D:\\$(basename "$zip" .zip)"
status=0
"$wine" --test "$driver" || status=$?
"$wine" --stop-server || true
exit $status
