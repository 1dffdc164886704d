#!/bin/sh
# quorvane.exe must run on Windows as it is: every library it loads is one that Windows has.
#
#   system_libraries_test.sh OBJDUMP PROGRAM
set -eu
objdump="$1"
program="$2"
status=0
for library in $("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
    case "$(printf '%s' "$library" | tr 'A-Z' 'a-z')" in
        kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | shlwapi.dll | \
            comctl32.dll | comdlg32.dll | ole32.dll | uxtheme.dll | msvcrt.dll) ;;
        *) echo "$program needs $library, which Windows does not have" >&2; status=1 ;;
    esac
done
exit $status
