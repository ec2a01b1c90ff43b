# Cross toolchain: MinGW-w64, i686 (PE32). The installer and the option
# extension modules that load our modules are 32-bit processes, so every
# module we ship is 32-bit.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
