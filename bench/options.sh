#!/bin/bash
# Options page benchmark: time from process start with "/I" to the visible
# Options page under Wine, with 20 registered sample-sized extension modules
# against none (the same 20 registrations, their files absent), alternating
# in one run; prints both medians, their ratio and the cost per module. The
# modules (bench/extensions) are the four samples' sources built under 20
# names against the SDK: 20 files with their own image bases, as 20
# different modules are, not copies of one file that all ask for one base.
# In the same run, a loader-only baseline (module_loader.exe: the same
# modules from the same folder loaded with LoadLibraryEx, their factories
# looked up, then a minimal sheet) tells Wine's loading apart from the
# page's own work (factory, Initialize, the "Installed" read, list
# insertion, drawing).
#   bench/options.sh [runs]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../tools/common.sh"
runs=${1:-15}
modules=20
start_bench bench-options KELDSetup startup_bench module_loader bench_extensions
base=$WINEPREFIX/drive_c/keldbench-options
view=/reg:64
runs_32bit_wine && view=/reg:32
for folder in with none; do
    mkdir -p "$base/$folder"
    rm -f "$base/$folder"/*.DLL
    cp "$win/setup/KELDSetup.exe" "$win/bench/module_loader.exe" "$base/$folder/"
    for f in KELD4K.INI TESTCTL.INI NVXTOOLS.INI; do : >"$base/$folder/$f"; done
done
: >"$WINEPREFIX/drive_c/windows/KELDORAN.INI"
product='HKLM\Software\Brindlecraft\PXR2000'
"$KELD_WINE" reg delete "$product\\SetupExtensions" /f $view >/dev/null 2>&1 || true
samples=(ATC:MakeOption SPINDLE:MakeOption CTRLBRD:MakeOption COOLANT:MakeCoolantPump)
for i in $(seq 1 $modules); do
    sample=${samples[$(((i - 1) % ${#samples[@]}))]}
    name=$(printf 'OPT%02d' "$i")
    cp "$win/bench/extensions/$name.DLL" "$base/with/"
    "$KELD_WINE" reg add "$product\\SetupExtensions" /v "Extension$i" /d "$name,${sample##*:}" /f $view >/dev/null 2>&1
done
for option in ATC Spindle ControlBoard CoolantPump; do
    "$KELD_WINE" reg add "$product\\Options\\$option" /v Installed /t REG_DWORD /d 1 /f $view >/dev/null 2>&1
done
"$KELD_WINE" reg add 'HKLM\System\CurrentControlSet\Services\NextMove\Parameters' /v NextMove0 \
    /t REG_DWORD /d 800 /f >/dev/null 2>&1
"$KELD_WINE" "$win/bench/startup_bench.exe" "$runs" 'C:\keldbench-options' \
    '"C:\keldbench-options\with\KELDSetup.exe" /I' '"C:\keldbench-options\none\KELDSetup.exe" /I' \
    '"C:\keldbench-options\with\module_loader.exe"' '"C:\keldbench-options\none\module_loader.exe"' |
    tr -d '\r' | tee "$bench/result.txt"
awk -v n=$modules '/^A median/ {a=$7} /^B median/ {b=$7} /^C median/ {c=$7} /^D median/ {d=$7}
    END {
        if (a && b) printf "cost per module: %.2f ms\n", (a - b) / n
        if (a && b && c && d) {
            printf "  Wine loading alone (C - D): %.2f ms\n", (c - d) / n
            printf "  the page'\''s own work above it ((A - B) - (C - D)): %.2f ms\n", ((a - b) - (c - d)) / n
        }
    }' "$bench/result.txt"
"$root/cmake/wine-session.sh" stop "$bench"
