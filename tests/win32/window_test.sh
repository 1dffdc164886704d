#!/bin/sh
# Runs the driven-window test of quorvane.exe on a virtual X display, in a Wine prefix of its
# own (its own registry, clipboard and drive d:), then checks with Wine's reg what the session
# left in the registry. Before it, the window's start alone under each Liberation Sans that the
# machine has, and the window at a dpi too high for the display, each in a Wine prefix of its
# own.
#
#   window_test.sh RUN_UNDER_WINE DRIVER.exe
set -eu
wine="$1"
driver="$2"
export QUORVANE_WINE_PREFIX=window

if [ -z "${QUORVANE_IN_XVFB:-}" ]; then
    export QUORVANE_IN_XVFB=1
    exec sh "$(dirname "$0")/virtual_display.sh" "$0" "$@"
fi

# Wine draws the window's frame and caption itself, as Windows does, for there is no window
# manager on the display.
undecorated() {
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null
}

status=0
# Arial 9 pt bold where the layout says so, whichever Liberation Sans stands in for Arial
# (fonts-liberation, fonts-liberation2): Wine takes the newer where there are both, so each is
# shown alone, through fontconfig, to a Wine of its own, since Wine records in its registry the
# fonts it has seen.
build=$(dirname "$wine")
for folder in $(fc-list -f '%{file}\n' 'Liberation Sans:style=Bold' | sed 's|/[^/]*$||' |
    sort -u); do
    name=$(basename "$folder")
    fonts="$build/fonts-$name.conf"
    printf '%s\n' '<?xml version="1.0"?>' \
        '<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">' \
        '<fontconfig>' \
        '  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>' \
        "  <dir>$folder</dir>" \
        "  <selectfont><acceptfont><glob>$folder/*</glob></acceptfont>" \
        '    <rejectfont><glob>/*</glob></rejectfont></selectfont>' \
        '</fontconfig>' >"$fonts"
    echo "The window under $name alone:"
    code=0
    (
        export QUORVANE_WINE_PREFIX="window-$name" FONTCONFIG_FILE="$fonts"
        undecorated
        code=0
        "$wine" --test "$driver" --gtest_filter=Win32Window.OpensAsDesignedAtAFirstStart || code=$?
        "$wine" --stop-server || true
        exit $code
    ) || code=$?
    [ $code -eq 0 ] || status=$code
done

# A screen too small for the window: this one at twice the usual dpi, in a Wine of its own,
# since Wine keeps the dpi in its registry.
echo "The window at 192 dpi:"
code=0
(
    export QUORVANE_WINE_PREFIX=window-192dpi
    undecorated
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null
    code=0
    "$wine" --test "$driver" \
        --gtest_filter=Win32Window.EveryControlCanBeReachedWhereTheScreenIsTooSmall || code=$?
    "$wine" --stop-server || true
    exit $code
) || code=$?
[ $code -eq 0 ] || status=$code

# Then the whole session, under the fonts as the machine has them.
undecorated
"$wine" --test "$driver" || status=$?
settings=$("$wine" reg query 'HKCU\Software\VB and VBA Program Settings\Brindlework\Quorvane' |
    tr -d '\r')
"$wine" --stop-server || true
[ $status -eq 0 ] || exit $status

expect() {
    if ! printf '%s\n' "$settings" | grep -Eq "^ +$1 +REG_SZ +$2\$"; then
        echo "registry: no $1 = $2 in:" >&2
        printf '%s\n' "$settings" >&2
        status=1
    fi
}
expect Option5 True
expect Option4 False
expect Option3 False
expect Option6 True
expect Option7 False
expect Option8 False
expect Text2 2
expect Folder '[Pp]:\\\\Samples'
if printf '%s\n' "$settings" | grep -q LastFolder; then
    echo "registry: LastFolder was written, though no folder was chosen" >&2
    status=1
fi
[ $status -eq 0 ] && echo "registry: every choice of the session is stored as REG_SZ"
exit $status
