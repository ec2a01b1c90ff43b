# Sourced by the scripts that choose between 32-bit and 64-bit Wine.
# Whether this machine runs 32-bit programs and with them 32-bit Wine
# (WoW64); some kernels have their IA32 emulation switched off ("Exec
# format error").
runs_32bit_wine() {
    [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}
