#!/bin/bash
# Builds KELDSetup and opens it on a demo installation in a Wine prefix of its
# own. With a DISPLAY the sheet opens there; without one it runs under Xvfb,
# a PNG of each page is saved in build/demo/ and the sheet is closed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages
configure_windows_build
cmake --build "$build_root/win" -j2 --target KELDSetup keldoran_default demo_driver nextmove_sys

demo=$build_root/demo
mkdir -p "$demo"
user_display=${DISPLAY:-}
eval "$("$root/cmake/wine-session.sh" env "$demo")"
wine=$KELD_WINE

# The demo installation: C:\KELDORAN\ with the program, the stand-in for the
# machine-control application and the profile files, and the product's key.
install=$WINEPREFIX/drive_c/KELDORAN
mkdir -p "$install"
cp "$build_root/win/setup/KELDSetup.exe" "$install/"
cp "$build_root/win/standins/keldoran/KELDORAN.EXE" "$install/"
write_if_missing() { [ -f "$1" ] || printf '%b' "$2" >"$1"; }
write_if_missing "$install/KELD4K.INI" '[Settings]\r\nUnits=0\r\nDefaultLFactor=-1\r\nDefaultRunFeed=10\r\nMaxArcRadiiDif=0.002\r\nBoardAddress=800\r\n'
write_if_missing "$install/NVXTOOLS.INI" '[Tools]\r\nShaftHeight=1\r\n'
write_if_missing "$install/TESTCTL.INI" '[Test]\r\n'
write_if_missing "$WINEPREFIX/drive_c/windows/KELDORAN.INI" '[Settings]\r\nDefaultMachine=4\r\n[FlowCtl]\r\nMaxSubs=20\r\nMaxSubDepth=20\r\n[Defaults]\r\nValueDispPrec=4\r\n'
# The product key lives in the 32-bit registry view, as a 32-bit installer writes it.
"$wine" reg add 'HKLM\Software\Brindlecraft\PXR2000' /v InstallDir /d 'C:\KELDORAN\' /f /reg:32 >/dev/null 2>&1
# The card driver stand-in, registered by a 32-bit program as the card
# maker's installer would: the x86_64 image in the native drivers folder,
# the i686 one where Wine's 32-bit device host looks for it.
cp "$build_root/win/standins/nextmove/x86_64/NEXTMOVE.SYS" "$WINEPREFIX/drive_c/windows/system32/drivers/" 2>/dev/null || true
cp "$build_root/win/standins/nextmove/i686/NEXTMOVE.SYS" "$WINEPREFIX/drive_c/windows/syswow64/drivers/" 2>/dev/null || true
"$wine" sc query NextMove >/dev/null 2>&1 ||
    "$wine" 'C:\windows\syswow64\sc.exe' create NextMove type= kernel start= auto \
        binPath= '\SystemRoot\system32\drivers\NEXTMOVE.SYS' >/dev/null 2>&1
params='HKLM\System\CurrentControlSet\Services\NextMove\Parameters'
"$wine" reg query "$params" /v NextMove0 >/dev/null 2>&1 ||
    "$wine" reg add "$params" /v NextMove0 /t REG_DWORD /d 800 /f >/dev/null 2>&1

if [ -n "$user_display" ] && [ "${KELD_HEADLESS:-0}" != 1 ]; then
    echo "Opening KELDSetup on $user_display (demo installation: $install)"
    cd "$install" && DISPLAY=$user_display "$wine" KELDSetup.exe
else
    echo "No display: running under Xvfb and saving screenshots"
    cd "$install" && "$wine" "$build_root/win/tools/demo/demo_driver.exe" \
        '"C:\KELDORAN\KELDSetup.exe"' 'C:\KELDORAN' "Z:${demo//\//\\}\\KELDSetup"
    ls -1 "$demo"/KELDSetup-*.png
fi
"$root/cmake/wine-session.sh" stop "$demo"
