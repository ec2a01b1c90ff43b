#!/bin/bash
# One Wine session per build folder: a prefix created once, one Xvfb, one
# persistent wineserver.  Usage: wine-session.sh start|stop|env BUILD_DIR
# "env" prints the variables a caller must export to use the session.
# With KELD_WINE_DPI set to other than 96 the session is one of its own
# (wineprefix-dpiN, wine-session-dpiN) whose Wine runs at that DPI.
# KELD_XVFB_DEPTH sets the bits per pixel of the session's Xvfb (24).
set -euo pipefail
action=$1
build=$(cd "$2" && pwd)
dpi=${KELD_WINE_DPI:-96}
suffix=
[ "$dpi" = 96 ] || suffix=-dpi$dpi
state=$build/wine-session$suffix
prefix=$build/wineprefix$suffix
mkdir -p "$state"

# 32-bit Wine (WoW64) where this machine runs 32-bit programs.
source "$(dirname "$(readlink -f "$0")")/wine-32bit.sh"
wow64=0
runs_32bit_wine && wow64=1

wine_loader() {
    if [ $wow64 = 1 ]; then command -v wine
    elif [ -x /usr/lib/wine/wine64 ]; then echo /usr/lib/wine/wine64
    elif command -v wine64 >/dev/null; then command -v wine64
    else command -v wine; fi
}

common_env() {
    export WINEPREFIX=$prefix
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    export WINEARCH=win64
}

xvfb_alive() {
    [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null
}

start_xvfb() {
    xvfb_alive && return 0
    local n
    for n in $(seq 91 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        setsid Xvfb ":$n" -screen 0 "1280x1024x${KELD_XVFB_DEPTH:-24}" -nolisten tcp -ac \
            </dev/null >"$state/xvfb.log" 2>&1 9>&- &
        echo $! >"$state/xvfb.pid"
        for _ in $(seq 1 100); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.05
        done
        if xvfb_alive && [ -e "/tmp/.X11-unix/X$n" ]; then
            echo ":$n" >"$state/display"
            return 0
        fi
    done
    echo "wine-session: cannot start Xvfb" >&2
    return 1
}

start() {
    common_env
    start_xvfb
    export DISPLAY=$(cat "$state/display")
    # A prefix made before 32-bit Wine was there has no 32-bit side
    # (syswow64); it is made again once 32-bit Wine runs.
    if [ ! -f "$prefix/.keld-ready" ] ||
        { [ $wow64 = 1 ] && [ ! -f "$prefix/drive_c/windows/syswow64/kernel32.dll" ]; }; then
        rm -rf "$prefix"
        "$(wine_loader)" wineboot -i </dev/null >"$state/wineboot.log" 2>&1 9>&- || true
        # Without a window manager, hiding a managed window makes Wine wait
        # two seconds for one; let Wine manage its windows itself.
        "$(wine_loader)" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
            </dev/null >>"$state/wineboot.log" 2>&1 9>&- || true
        # Wine reads the DPI when its server starts.
        if [ "$dpi" != 96 ]; then
            "$(wine_loader)" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
                </dev/null >>"$state/wineboot.log" 2>&1 9>&- || true
        fi
        wineserver -w || true
        [ -f "$prefix/system.reg" ] || { echo "wine-session: prefix not created" >&2; cat "$state/wineboot.log" >&2; return 1; }
        [ $wow64 = 0 ] || [ -f "$prefix/drive_c/windows/syswow64/kernel32.dll" ] ||
            { echo "wine-session: the prefix has no 32-bit side" >&2; return 1; }
        touch "$prefix/.keld-ready"
    fi
    # Wine's own fonts (Tahoma, MS Sans Serif, Marlett for the caption
    # buttons), where a Windows machine has them: this Wine does not find
    # them in its data folder.
    local fonts=/usr/share/wine/fonts
    if [ -d "$fonts" ] && [ ! -f "$prefix/drive_c/windows/Fonts/marlett.ttf" ]; then
        mkdir -p "$prefix/drive_c/windows/Fonts"
        cp -n "$fonts"/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
    # A persistent server keeps registry and named objects warm between tests.
    if ! wineserver -k0 2>/dev/null; then
        setsid wineserver -p </dev/null >/dev/null 2>&1 9>&- &
        disown 2>/dev/null || true
        # Start Wine's own services now, detached from any test's output.
        "$(wine_loader)" cmd /c exit </dev/null >/dev/null 2>&1 9>&- || true
    fi
}

case $action in
    start)
        exec 9>"$state/lock"
        flock 9
        start
        ;;
    env)
        exec 9>"$state/lock"
        flock 9
        start
        # start() exported the session's variables; hand them on as they are.
        echo "export WINEPREFIX='$WINEPREFIX' WINEDEBUG='$WINEDEBUG' WINEARCH='$WINEARCH'"
        echo "export WINEDLLOVERRIDES='$WINEDLLOVERRIDES'"
        echo "export DISPLAY='$DISPLAY'"
        echo "export KELD_WINE='$(wine_loader)' KELD_WINE_DPI='$dpi'"
        ;;
    stop)
        common_env
        wineserver -k 2>/dev/null || true
        if xvfb_alive; then kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true; fi
        rm -f "$state/xvfb.pid" "$state/display"
        ;;
    *) echo "usage: $0 start|stop|env BUILD_DIR" >&2; exit 2 ;;
esac
