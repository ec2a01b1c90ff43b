#!/bin/bash
# Runs the installer stand-in SETUP.EXE into the demo prefix that
# tools/run.sh made (build/demo/wineprefix), with its windows on your
# DISPLAY for you to answer.
#   bash standins/installer/demo.sh [target folder, default C:\KELDORAN\]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/common.sh"
target=${1:-'C:\KELDORAN\'}
user_display=${DISPLAY:-}
if [ -z "$user_display" ]; then
    echo "The installation asks questions: run this with a DISPLAY." >&2
    exit 1
fi
demo=$build_root/demo
if [ ! -f "$demo/wineprefix/.keld-ready" ]; then
    echo "No demo prefix yet: run 'bash tools/run.sh' first." >&2
    exit 1
fi
ensure_packages
configure_windows_build
cmake --build "$build_root/win" -j2 --target installer_standin

eval "$("$root/cmake/wine-session.sh" env "$demo")"
# The configuration disk: a folder with the KELD.KCI that KELDOpt imports.
disk=$WINEPREFIX/drive_c/KELDDISK
mkdir -p "$disk"
[ -f "$disk/KELD.KCI" ] || printf '[Configuration]\r\nMachine=demo\r\n' >"$disk/KELD.KCI"

set +e
DISPLAY=$user_display "$KELD_WINE" "$build_root/win/standins/installer/SETUP.EXE" \
    "$target" 'C:\KELDBACKUP\' 'C:\KELDDISK\' | tr -d '\r'
status=${PIPESTATUS[0]}
set -e
echo "SETUP.EXE ended with $status (the last PreInstallCheck result; 255 stands for -1)"
"$root/cmake/wine-session.sh" stop "$demo"
