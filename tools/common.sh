# Shared by the README's commands: package installation and the two builds.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_root=${KELD_BUILD_ROOT:-$root/build}

# The modules are i686; the x86_64 compiler builds the 64-bit image of the
# kernel-driver stand-in. Wine runs as a 64-bit prefix with 32-bit Wine
# (WoW64), as a 64-bit Windows would.
KELD_PACKAGES=(
    cmake ninja-build g++ make clang libclang-rt-14-dev
    libgtest-dev googletest libbenchmark-dev
    g++-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
    g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
    wine wine64 wine32:i386 xvfb xauth nsis
    fonts-wine fonts-liberation
)

ensure_packages() {
    local missing=()
    local p
    for p in "${KELD_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

source "$root/cmake/wine-32bit.sh"

# The product's build: i686 (PE32), the modules we ship. Its Wine tests run
# only where 32-bit Wine runs.
configure_windows_build() {
    local wine_tests=OFF
    runs_32bit_wine && wine_tests=ON
    cmake -S "$root" -B "$build_root/win" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DKELD_WINE_TESTS=$wine_tests >/dev/null
}

# Where the modules that this machine's Wine runs are built: the product's
# build itself, or an x86_64 build of the same sources where 32-bit Wine
# cannot run. Prints the build folder.
wine_build_dir() {
    if runs_32bit_wine; then echo "$build_root/win"; else echo "$build_root/win64"; fi
}

configure_wine_build() {
    local dir
    dir=$(wine_build_dir)
    if [ "$dir" = "$build_root/win" ]; then
        configure_windows_build
    else
        cmake -S "$root" -B "$dir" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
            -DCMAKE_BUILD_TYPE=Release -DKELD_WINE_TESTS=ON >/dev/null
    fi
}

configure_fuzz_build() {
    cmake -S "$root" -B "$build_root/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKELD_FUZZ=ON >/dev/null
}

configure_native_build() {
    cmake -S "$root" -B "$build_root/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
}

# The benchmarks' start: builds TARGETs in the Wine build and opens a Wine
# session of the benchmark's own in build/NAME. Sets `win` (the build
# folder) and `bench` (the session folder) and exports the session.
#   start_bench NAME TARGET...
start_bench() {
    local name=$1
    shift
    ensure_packages
    configure_wine_build
    win=$(wine_build_dir)
    cmake --build "$win" -j2 --target "$@"
    bench=$build_root/$name
    mkdir -p "$bench"
    eval "$("$root/cmake/wine-session.sh" env "$bench")"
}
