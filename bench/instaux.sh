#!/bin/bash
# Pre-install check benchmark: PreInstallCheck of INSTAUX.DLL timed under
# Wine on a fresh machine and on a Replace, in a Wine prefix of its own.
#   bench/instaux.sh [runs]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../tools/common.sh"
runs=${1:-15}
ensure_packages
configure_wine_build
win=$(wine_build_dir)
cmake --build "$win" -j2 --target instaux_bench INSTAUX keldoran_v1050

bench=$build_root/bench-instaux
mkdir -p "$bench"
eval "$("$root/cmake/wine-session.sh" env "$bench")"
windows_path() { echo "Z:${1//\//\\}"; }
"$KELD_WINE" "$win/bench/instaux_bench.exe" "$runs" \
    "$(windows_path "$win/instaux/INSTAUX.DLL")" \
    "$(windows_path "$win/standins/versions/1050/KELDORAN.EXE")" 'C:\keldbench-instaux' | tr -d '\r'
"$root/cmake/wine-session.sh" stop "$bench"
