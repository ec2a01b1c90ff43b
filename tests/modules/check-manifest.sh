#!/bin/bash
# Fails unless the manifest that PROGRAM carries (its RT_MANIFEST resource 1,
# read out of the built image) is one that Windows accepts for it and
# applies as meant:
# - the program's own assemblyIdentity names the architecture of the image
#   (x86 for a PE32 i386 image, amd64 for PE32+ x86-64): Windows refuses to
#   create the activation context of a program whose manifest names another;
# - it asks for requireAdministrator, without uiAccess;
# - it declares Windows 7, 8, 8.1 and 10/11 as supported, so that Windows
#   applies no compatibility shims.
#   check-manifest.sh OBJDUMP WINDRES PROGRAM
set -euo pipefail
objdump=$1 windres=$2 program=$3

format=$("$objdump" -f "$program" | sed -n 's/.*file format //p')
case $format in
pei-i386) expected_arch=x86 ;;
pei-x86-64) expected_arch=amd64 ;;
*) echo "$program: unknown image format '$format'"; exit 1 ;;
esac

# windres writes the resource as RC text: one quoted string per line,
# quotes doubled, line ends as \n.
manifest=$("$windres" -i "$program" -O rc |
    sed -n '/^1 24 /,/^END/{/^[[:space:]]*"/p}' |
    sed -e 's/^[[:space:]]*"//' -e 's/"$//' -e 's/""/"/g' -e 's/\\r//g' -e 's/\\n$//' -e 's/\\t/ /g')
if [ -z "$manifest" ]; then
    echo "$program carries no manifest (RT_MANIFEST 1)"
    exit 1
fi
# One line, so that elements spread over several lines match as one.
flat=$(tr '\n' ' ' <<<"$manifest")
status=0
fail() {
    echo "$program: $*"
    status=1
}
# The value of attribute $2 in the element text $1; empty when missing.
attribute() {
    sed -n "s/.*[[:space:]]$2=\"\\([^\"]*\\)\".*/\\1/p" <<<"$1"
}

# The program's identity is the assembly's first assemblyIdentity; the
# dependencies' identities follow inside <dependency>.
before_dependencies=${flat%%<dependency*}
identity=$(grep -o '<assemblyIdentity[^>]*>' <<<"$before_dependencies" | head -n 1 || true)
if [ -z "$identity" ]; then
    fail "the manifest has no assemblyIdentity of its own"
else
    arch=$(attribute "$identity" processorArchitecture)
    [ "$arch" = "$expected_arch" ] ||
        fail "assemblyIdentity says processorArchitecture=\"$arch\", the image is $format ($expected_arch)"
fi

levels=$(grep -o '<requestedExecutionLevel[^>]*>' <<<"$flat" || true)
count=$(grep -c . <<<"$levels" || true)
if [ "$count" -ne 1 ]; then
    fail "the manifest has $count requestedExecutionLevel elements, not one"
else
    level=$(attribute "$levels" level)
    [ "$level" = requireAdministrator ] || fail "requestedExecutionLevel is \"$level\", not requireAdministrator"
    ui=$(attribute "$levels" uiAccess)
    [ -z "$ui" ] || [ "$ui" = false ] || fail "uiAccess is \"$ui\""
fi

compatibility=$(grep -o '<compatibility[[:space:]].*</compatibility>' <<<"$flat" || true)
supported=$(grep -o '<supportedOS[^>]*>' <<<"$compatibility" | sed -n 's/.*Id="\([^"]*\)".*/\1/p' |
    tr 'A-F' 'a-f' || true)
while read -r id name; do
    grep -qx "$id" <<<"$supported" || fail "supportedOS lacks $name ($id)"
done <<'EOF'
{35138b9a-5d96-4fbd-8e2d-a2440225f93a} Windows 7
{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38} Windows 8
{1f676c76-80e1-4239-95bb-83d0f6d0da78} Windows 8.1
{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a} Windows 10 and 11
EOF

[ $status -eq 0 ] && echo "$program: manifest for $expected_arch, requireAdministrator, Windows 7 to 11"
exit $status
