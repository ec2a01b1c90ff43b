# Cross toolchain: MinGW-w64, x86_64 (PE32+). Used to run the Wine tests on
# a machine that cannot execute 32-bit programs (and so no 32-bit Wine).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
