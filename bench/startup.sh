#!/bin/bash
# Start-up benchmark: process start to visible sheet under Wine, KELDSetup
# against a minimal comctl32 property sheet, in one run.
#   bench/startup.sh [runs]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../tools/common.sh"
runs=${1:-15}
start_bench bench KELDSetup minimal_sheet startup_bench
folder=$WINEPREFIX/drive_c/keldbench
mkdir -p "$folder"
cp "$win/setup/KELDSetup.exe" "$win/bench/minimal_sheet.exe" "$folder/"
for f in KELD4K.INI TESTCTL.INI NVXTOOLS.INI; do : >"$folder/$f"; done
: >"$WINEPREFIX/drive_c/windows/KELDORAN.INI"
# As after an installation: the card driver's port address is known.
"$KELD_WINE" reg add 'HKLM\System\CurrentControlSet\Services\NextMove\Parameters' /v NextMove0 \
    /t REG_DWORD /d 800 /f >/dev/null 2>&1
"$KELD_WINE" "$win/bench/startup_bench.exe" "$runs" 'C:\keldbench' \
    '"C:\keldbench\KELDSetup.exe"' '"C:\keldbench\minimal_sheet.exe"' | tr -d '\r'
"$root/cmake/wine-session.sh" stop "$bench"
