#!/bin/bash
# Fails unless MODULE's export table names exactly the NAMES given, each
# plain and undecorated (no leading underscore, no @n suffix).
#   check-exports.sh OBJDUMP MODULE NAME...
set -euo pipefail
objdump=$1 module=$2; shift 2
actual=$("$objdump" -p "$module" |
    sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*//p' | sort)
expected=$(printf '%s\n' "$@" | sort)
if [ "$actual" != "$expected" ]; then
    echo "$module exports:"; echo "$actual"
    echo "expected:"; echo "$expected"
    exit 1
fi
echo "$module exports exactly: $(echo $actual)"
