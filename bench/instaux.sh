#!/bin/bash
# Pre-install check benchmark: PreInstallCheck of INSTAUX.DLL timed under
# Wine on a fresh machine and on a Replace, in a Wine prefix of its own.
#   bench/instaux.sh [runs]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../tools/common.sh"
runs=${1:-15}
start_bench bench-instaux instaux_bench INSTAUX keldoran_v1050
windows_path() { echo "Z:${1//\//\\}"; }
"$KELD_WINE" "$win/bench/instaux_bench.exe" "$runs" \
    "$(windows_path "$win/instaux/INSTAUX.DLL")" \
    "$(windows_path "$win/standins/versions/1050/KELDORAN.EXE")" 'C:\keldbench-instaux' | tr -d '\r'
"$root/cmake/wine-session.sh" stop "$bench"
