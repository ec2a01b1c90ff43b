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
status=0
for module in "$@"; do
    while read -r dll; do
        lower=$(tr 'A-Z' 'a-z' <<<"$dll")
        if ! [[ $lower =~ $allowed || ( -n $also && $lower == "$also" ) ]]; then
            echo "$module imports $dll"
            status=1
        fi
    done < <("$objdump" -p "$module" | sed -n 's/^[[:space:]]*DLL Name: //p')
done
[ $status -eq 0 ] && echo "only system DLLs imported by $# modules"
exit $status
