#!/bin/sh
# The runner of the Windows tests (cmake/run-under-wine.sh.in) over a stand-in for Wine
# (wine_stand_in.sh): a start that fails without a word is tried once more, with Wine's messages
# on; a test program that has said something is never started twice; one that ends inside a
# test names it.
#
#   wine_runner_test.sh RUNNER
set -eu
runner="$1"
unset WINEDEBUG
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export STAND_IN_LOG="$scratch/starts"
status=0

# PROGRAM STATUS STARTS TEXT: the runner's exit status, how often it started PROGRAM, and a
# line of what it wrote.
expect() {
    : >"$STAND_IN_LOG"
    got=0
    sh "$runner" --test "/stand-in/$1" >"$scratch/output" 2>&1 || got=$?
    starts=$(wc -l <"$STAND_IN_LOG")
    if [ "$got" -ne "$2" ] || [ "$starts" -ne "$3" ] || ! grep -qF -- "$4" "$scratch/output"; then
        echo "FAIL: $1: status $got (not $2), $starts starts (not $3), or no \"$4\" in:"
        cat "$scratch/output"
        status=1
    fi
}
expect starts-the-second-time.exe 0 2 "[  PASSED  ] 1 test."
expect starts-the-second-time.exe 0 2 "starts-the-second-time.exe (status 53, no output); once more"
expect never-starts.exe 53 2 "0024:err:module:stand-in: the reason Wine gives"
expect never-starts.exe 53 2 "never-starts.exe the second time either (status 53)"
expect crashes.exe 3 1 "crashes.exe ended with status 3 in the middle of Walk.Deep"
expect fails.exe 1 1 "[  FAILED  ] Walk.Deep (1 ms)"
if grep -q "in the middle of" "$scratch/output"; then
    echo "FAIL: fails.exe ended after its test, yet the runner says it ended inside one"
    status=1
fi
[ $status -eq 0 ] && echo "a silent start is tried once more; an end inside a test names it"
exit $status
