#!/bin/bash
# CTest runner for the tests that need a palette display:
#   wine-run-8bit.sh BUILD_DIR PROGRAM [ARGS...]
# Runs a Windows program in a Wine session of its own (BUILD_DIR/palette-
# display: a prefix made once, an Xvfb with 8 bits per pixel, that is a
# system palette of 256 entries, and a wineserver), which is stopped again
# when the program has ended. The session is apart from the build's own, so
# that none of the build's Wine processes (the desktop window's among them)
# ever runs on this display.
set -uo pipefail
build=$1; shift
here=$(dirname "$(readlink -f "$0")")
session=$(cd "$build" && pwd)/palette-display
mkdir -p "$session"
trap '"$here/wine-session.sh" stop "$session"' EXIT
trap 'exit 143' TERM INT HUP
eval "$(KELD_XVFB_DEPTH=8 "$here/wine-session.sh" env "$session")" || exit 1
"$KELD_WINE" "$@" | tr -d '\r'
exit "${PIPESTATUS[0]}"
