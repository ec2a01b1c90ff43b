#!/bin/bash
# Builds KELDSetup and opens it on a demo installation in a Wine prefix of its
# own. With a DISPLAY the sheet opens there; without one it runs under Xvfb,
# a PNG of each page is saved in build/demo/ and the sheet is closed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages
# The modules this machine's Wine runs: the i686 product build, or an
# x86_64 build of it where 32-bit programs cannot run.
configure_wine_build
win=$(wine_build_dir)
cmake --build "$win" -j2 --target KELDSetup keldoran_default demo_driver nextmove_sys sample_extensions

demo=$build_root/demo
mkdir -p "$demo"
user_display=${DISPLAY:-}
eval "$("$root/cmake/wine-session.sh" env "$demo")"
wine=$KELD_WINE

# The demo installation: C:\KELDORAN\ with the program, the stand-in for the
# machine-control application and the profile files, and the product's key.
install=$WINEPREFIX/drive_c/KELDORAN
mkdir -p "$install"
cp "$win/setup/KELDSetup.exe" "$install/"
cp "$win/standins/keldoran/KELDORAN.EXE" "$install/"
cp "$win"/standins/extensions/*.DLL "$install/"
write_if_missing() { [ -f "$1" ] || printf '%b' "$2" >"$1"; }
write_if_missing "$install/KELD4K.INI" '[Settings]\r\nUnits=0\r\nDefaultLFactor=-1\r\nDefaultRunFeed=10\r\nMaxArcRadiiDif=0.002\r\nBoardAddress=800\r\n'
write_if_missing "$install/NVXTOOLS.INI" '[Tools]\r\nShaftHeight=1\r\n'
write_if_missing "$install/TESTCTL.INI" '[Test]\r\n'
write_if_missing "$WINEPREFIX/drive_c/windows/KELDORAN.INI" '[Settings]\r\nDefaultMachine=4\r\n[FlowCtl]\r\nMaxSubs=20\r\nMaxSubDepth=20\r\n[Defaults]\r\nValueDispPrec=4\r\n'
# The product key lives in the registry view of the modules: the 32-bit
# one, as a 32-bit installer writes it, for the i686 build.
view=/reg:64
runs_32bit_wine && view=/reg:32
"$wine" reg add 'HKLM\Software\Brindlecraft\PXR2000' /v InstallDir /d 'C:\KELDORAN\' /f $view >/dev/null 2>&1
# The card driver stand-in, registered by a 32-bit program as the card
# maker's installer would: the x86_64 image in the native drivers folder,
# the i686 one where Wine's 32-bit device host looks for it.
cp "$win/standins/nextmove/x86_64/NEXTMOVE.SYS" "$WINEPREFIX/drive_c/windows/system32/drivers/" 2>/dev/null || true
cp "$win/standins/nextmove/i686/NEXTMOVE.SYS" "$WINEPREFIX/drive_c/windows/syswow64/drivers/" 2>/dev/null || true
mkdir -p "$WINEPREFIX/drive_c/windows/syswow64/drivers"
sc=sc
runs_32bit_wine && sc='C:\windows\syswow64\sc.exe'
"$wine" sc query NextMove >/dev/null 2>&1 ||
    "$wine" "$sc" create NextMove type= kernel start= auto \
        binPath= '\SystemRoot\system32\drivers\NEXTMOVE.SYS' >/dev/null 2>&1
# The sample option extensions: the tool changer, the spindle and the
# control board installed, the coolant pump not (Reinstall... brings it).
product='HKLM\Software\Brindlecraft\PXR2000'
if ! "$wine" reg query "$product\\SetupExtensions" $view >/dev/null 2>&1; then
    n=0
    for registration in ATC,MakeOption SPINDLE,MakeOption COOLANT,MakeCoolantPump CTRLBRD,MakeOption; do
        n=$((n + 1))
        "$wine" reg add "$product\\SetupExtensions" /v "Extension$n" /d "$registration" /f $view >/dev/null 2>&1
    done
    for option in ATC Spindle ControlBoard; do
        "$wine" reg add "$product\\Options\\$option" /v Installed /t REG_DWORD /d 1 /f $view >/dev/null 2>&1
        "$wine" reg add "$product\\Options\\$option" /v Enabled /t REG_DWORD /d 1 /f $view >/dev/null 2>&1
    done
fi
params='HKLM\System\CurrentControlSet\Services\NextMove\Parameters'
"$wine" reg query "$params" /v NextMove0 >/dev/null 2>&1 ||
    "$wine" reg add "$params" /v NextMove0 /t REG_DWORD /d 800 /f >/dev/null 2>&1

if [ -n "$user_display" ] && [ "${KELD_HEADLESS:-0}" != 1 ]; then
    echo "Opening KELDSetup on $user_display (demo installation: $install)"
    cd "$install" && DISPLAY=$user_display "$wine" KELDSetup.exe
else
    echo "No display: running under Xvfb and saving screenshots"
    cd "$install" && "$wine" "$win/tools/demo/demo_driver.exe" \
        '"C:\KELDORAN\KELDSetup.exe"' 'C:\KELDORAN' "Z:${demo//\//\\}\\KELDSetup"
    ls -1 "$demo"/KELDSetup-*.png
fi
"$root/cmake/wine-session.sh" stop "$demo"
