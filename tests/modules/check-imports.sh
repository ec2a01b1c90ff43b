#!/bin/bash
# Fails unless every module given imports only DLLs of the system, so that
# no MinGW runtime DLL has to travel with it.
#   check-imports.sh OBJDUMP [--also NAME] MODULE...
# --also NAME allows one more module, for example the program that
# extension modules link against.
set -euo pipefail
objdump=$1; shift
also=
if [ "${1:-}" = --also ]; then
    also=$(tr 'A-Z' 'a-z' <<<"$2"); shift 2
fi
allowed='^(kernel32|user32|gdi32|comctl32|advapi32|msvcrt|version|shell32|ole32|oleaut32|ntdll|ucrtbase|api-ms-win-[a-z0-9-]+)\.dll$'
[ $# -gt 0 ] || { echo "no module given"; exit 1; }
status=0
for module in "$@"; do
    # The whole dump and objdump's status first: a module that is missing or
    # cannot be read is a failure, not a module without imports.
    if ! dump=$("$objdump" -p "$module" 2>&1); then
        echo "$module cannot be read: $dump"
        status=1
        continue
    fi
    dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
    # Every Win32 module imports from kernel32 at least.
    if [ -z "$dlls" ]; then
        echo "$module has no import table"
        status=1
        continue
    fi
    while read -r dll; do
        lower=$(tr 'A-Z' 'a-z' <<<"$dll")
        if ! [[ $lower =~ $allowed || ( -n $also && $lower == "$also" ) ]]; then
            echo "$module imports $dll"
            status=1
        fi
    done <<<"$dlls"
done
[ $status -eq 0 ] && echo "only system DLLs imported by $# modules"
exit $status
