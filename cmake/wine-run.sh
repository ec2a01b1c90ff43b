#!/bin/bash
# CTest cross-compiling emulator: wine-run.sh BUILD_DIR PROGRAM [ARGS...]
# Runs a Windows program in the build folder's Wine session and turns the
# CRLF line ends that Wine programs print into LF.
set -uo pipefail
build=$1; shift
here=$(dirname "$(readlink -f "$0")")
eval "$("$here/wine-session.sh" env "$build")" || exit 1
"$KELD_WINE" "$@" | tr -d '\r'
exit "${PIPESTATUS[0]}"
