#!/bin/bash
# Fails unless the two NEXTMOVE.SYS images are native-subsystem drivers of
# their architectures that import only the kernel.
#   check-driver.sh I686_IMAGE X86_64_IMAGE
set -euo pipefail
i686=$1 x86_64=$2
check() {
    local image=$1 format=$2 objdump=$3
    local headers
    headers=$("$objdump" -x "$image")
    grep -q "file format $format" <<<"$headers" || { echo "$image is not $format"; return 1; }
    grep -Eq '^Subsystem[[:space:]]+0*1[[:space:]]' <<<"$headers" || { echo "$image is not a native image"; return 1; }
    local dlls
    dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
    [ "$dlls" = "ntoskrnl.exe" ] || { echo "$image imports: $dlls"; return 1; }
    echo "$image: $format native driver, imports ntoskrnl.exe only"
}
check "$i686" pei-i386 i686-w64-mingw32-objdump
check "$x86_64" pei-x86-64 x86_64-w64-mingw32-objdump
