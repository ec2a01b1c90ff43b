# Shared by the README's commands: package installation and the two builds.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_root=${KELD_BUILD_ROOT:-$root/build}

KELD_PACKAGES=(
    cmake ninja-build g++ make clang libclang-rt-14-dev
    libgtest-dev googletest libbenchmark-dev
    g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
    wine wine64 xvfb xauth
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
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

configure_windows_build() {
    cmake -S "$root" -B "$build_root/win" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
}

configure_fuzz_build() {
    cmake -S "$root" -B "$build_root/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKELD_FUZZ=ON >/dev/null
}

configure_native_build() {
    cmake -S "$root" -B "$build_root/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
}
