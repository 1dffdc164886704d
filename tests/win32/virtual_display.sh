#!/bin/sh
# Runs COMMAND on a virtual X display of its own, as xvfb-run -a would, but with the display's
# number chosen by Xvfb itself (-displayfd): tests started at the same moment, here or in
# another build, cannot take the same number, as xvfb-run's guess from the lock files can.
#
#   virtual_display.sh COMMAND [ARGUMENT...]
set -eu
scratch=$(mktemp -d)
server=
# The display goes with the command, even when the test is stopped.
trap '[ -z "$server" ] || { kill "$server"; wait "$server"; } 2>/dev/null; rm -rf "$scratch"' EXIT
trap 'exit 1' HUP INT TERM
mkfifo "$scratch/number"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/number" 2>"$scratch/log" &
server=$!
number=
read -r number <"$scratch/number" || true
if [ -z "$number" ]; then
    echo "virtual_display.sh: Xvfb did not start:" >&2
    cat "$scratch/log" >&2
    exit 1
fi
status=0
DISPLAY=":$number" "$@" || status=$?
exit $status
