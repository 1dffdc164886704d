#!/bin/sh
# Stands in for wine64 and wineserver in wine_runner_test.sh. It makes a prefix as wineboot
# would, and "runs" a program as its name says, noting each start (with WINEDEBUG) in
# $STAND_IN_LOG. Lines end as a Windows program's do.
case "${1:-}" in
    wineboot)
        mkdir -p "$WINEPREFIX/dosdevices" "$WINEPREFIX/drive_c/windows"
        touch "$WINEPREFIX/system.reg"
        exit 0 ;;
    -*) exit 0 ;;  # the server's options
esac
echo "$WINEDEBUG" >>"$STAND_IN_LOG"
starts=$(wc -l <"$STAND_IN_LOG")
say() { printf '%s\r\n' "$@"; }
case "$(basename "$1")" in
    starts-the-second-time.exe)
        [ "$starts" -ge 2 ] || exit 53
        say "Running main() from gtest_main.cc" "[ RUN      ] Walk.Deep" \
            "[       OK ] Walk.Deep (1 ms)" "[  PASSED  ] 1 test." ;;
    never-starts.exe)
        [ "$WINEDEBUG" = -all ] || say "0024:err:module:stand-in: the reason Wine gives"
        exit 53 ;;
    crashes.exe)
        say "Running main() from gtest_main.cc" "[ RUN      ] Walk.Shallow" \
            "[       OK ] Walk.Shallow (1 ms)" "[ RUN      ] Walk.Deep"
        exit 3 ;;
    fails.exe)
        say "Running main() from gtest_main.cc" "[ RUN      ] Walk.Deep" "a message" \
            "[  FAILED  ] Walk.Deep (1 ms)"
        exit 1 ;;
esac
