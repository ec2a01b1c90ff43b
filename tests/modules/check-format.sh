#!/bin/bash
# Fails unless every module given has the object format FORMAT
# (pei-i386 for PE32, pei-x86-64 for PE32+).
#   check-format.sh OBJDUMP FORMAT MODULE...
set -euo pipefail
objdump=$1 format=$2; shift 2
status=0
for module in "$@"; do
    actual=$("$objdump" -f "$module" | sed -n 's/.*file format //p')
    if [ "$actual" != "$format" ]; then
        echo "$module is $actual, not $format"
        status=1
    fi
done
[ $status -eq 0 ] && echo "$# modules are $format"
exit $status
