#!/bin/sh
# Runs the driven-window test of quorvane.exe on a virtual X display, in a Wine prefix of its
# own (its own registry, clipboard and drive d:), then checks with Wine's reg what the session
# left in the registry.
#
#   window_test.sh RUN_UNDER_WINE DRIVER.exe
set -eu
wine="$1"
driver="$2"
export QUORVANE_WINE_PREFIX=window

if [ -z "${QUORVANE_IN_XVFB:-}" ]; then
    export QUORVANE_IN_XVFB=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

# Wine draws the window's frame and caption itself, as Windows does, for there is no window
# manager on the display.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null

status=0
"$wine" "$driver" || status=$?
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
