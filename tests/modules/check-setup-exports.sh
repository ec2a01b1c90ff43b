#!/bin/bash
# Fails unless MODULE exports every name of LIST (C functions by their plain
# names, C++ members as demangled) and no C function is exported decorated
# (a leading underscore or an @n suffix).
#   check-setup-exports.sh OBJDUMP CXXFILT MODULE LIST
set -euo pipefail
objdump=$1 cxxfilt=$2 module=$3 list=$4
exports=$("$objdump" -p "$module" |
    sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*//p')
demangled=$("$cxxfilt" -n <<<"$exports")
status=0
while IFS= read -r name; do
    [[ -z $name || $name == \#* ]] && continue
    if ! grep -qxF -- "$name" <<<"$demangled"; then
        echo "missing export: $name"
        status=1
    fi
done <"$list"
decorated=$(grep -E '@[0-9]+$|^_[^Z]' <<<"$exports" || true)
if [ -n "$decorated" ]; then
    echo "decorated exports:"; echo "$decorated"
    status=1
fi
[ $status -eq 0 ] && echo "$module exports all $(grep -cv '^#' "$list") names of the extension interface"
exit $status
