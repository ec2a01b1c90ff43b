#!/bin/bash
# Builds KELDSetup and opens it on a demo installation in a Wine prefix of its
# own. With a DISPLAY the sheet opens there; without one it runs under Xvfb,
# a PNG of each page and of the Reinstall Options dialog is saved in
# build/demo/ and the sheet is closed.
#   tools/run.sh [--dpi N]   N: the DPI to run at (96 by default); other
#                            than 96 in a demo prefix of its own, with the
#                            PNGs in build/demo/dpi-N/
set -euo pipefail
dpi=96
while [ $# -gt 0 ]; do
    case $1 in
        --dpi) dpi=${2:?--dpi needs a number}; shift 2 ;;
        --dpi=*) dpi=${1#--dpi=}; shift ;;
        *) echo "usage: $0 [--dpi N]" >&2; exit 2 ;;
    esac
done
[[ $dpi =~ ^[0-9]+$ ]] && [ "$dpi" -ge 48 ] && [ "$dpi" -le 480 ] || { echo "--dpi: 48 to 480" >&2; exit 2; }
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages
# The modules this machine's Wine runs: the i686 product build, or an
# x86_64 build of it where 32-bit programs cannot run.
configure_wine_build
win=$(wine_build_dir)
cmake --build "$win" -j2 --target installer demo_driver demo_install

demo=$build_root/demo
shots=$demo
[ "$dpi" = 96 ] || shots=$demo/dpi-$dpi
mkdir -p "$demo" "$shots"
user_display=${DISPLAY:-}
export KELD_WINE_DPI=$dpi
eval "$("$root/cmake/wine-session.sh" env "$demo")"
wine=$KELD_WINE

# The demo installation: the product's installer, run silently, makes
# C:\KELDORAN\ with the program, the stand-in for the machine-control
# application, the sample option extensions and the profile files, the
# product's registry key and the card driver; the windows of the
# installation are answered as an operator would. Later runs update it, so
# the settings stay.
install=$WINEPREFIX/drive_c/KELDORAN
disk=$WINEPREFIX/drive_c/KELDDISK
mkdir -p "$disk"
[ -f "$disk/KELD.KCI" ] || printf '[Configuration]\r\nMachine=demo\r\n' >"$disk/KELD.KCI"
cp "$win/installer/KELDORAN-Setup.exe" "$WINEPREFIX/drive_c/"
"$wine" "$win/tools/demo/demo_install.exe" \
    '"C:\KELDORAN-Setup.exe" /S /BACKUP=C:\KELDBACKUP\ /DISK=C:\KELDDISK\ /D=C:\KELDORAN' | tr -d '\r'

if [ -n "$user_display" ] && [ "${KELD_HEADLESS:-0}" != 1 ]; then
    echo "Opening KELDSetup on $user_display (demo installation: $install)"
    cd "$install" && DISPLAY=$user_display "$wine" KELDSetup.exe
else
    echo "No display: running under Xvfb and saving screenshots"
    cd "$install" && "$wine" "$win/tools/demo/demo_driver.exe" \
        '"C:\KELDORAN\KELDSetup.exe"' 'C:\KELDORAN' "Z:${shots//\//\\}\\KELDSetup"
    ls -1 "$shots"/KELDSetup-*.png
fi
"$root/cmake/wine-session.sh" stop "$demo"
