# Cross toolchain body shared by the two architectures: MinGW-w64 with
# posix threads, everything linked statically. The including file sets
# CMAKE_SYSTEM_PROCESSOR and TOOLCHAIN_PREFIX.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Sections page-aligned in the file too, so that the loader maps them
# straight from it instead of reading each into fresh memory; a DLL's
# preferred base follows from its name, so that ours do not all ask for the
# same one and get relocated. Release images carry no debug sections.
set(KELD_LINK_FLAGS "-static -static-libgcc -static-libstdc++ -Wl,--file-alignment,0x1000")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${KELD_LINK_FLAGS}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${KELD_LINK_FLAGS} -Wl,--enable-auto-image-base")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${KELD_LINK_FLAGS} -Wl,--enable-auto-image-base")
foreach(kind EXE SHARED MODULE)
    set(CMAKE_${kind}_LINKER_FLAGS_RELEASE_INIT "-s")
endforeach()
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
