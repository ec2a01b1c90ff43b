# The installation library's decisions that need no window: built into
# INSTAUX.DLL and into the native unit tests.
add_library(keld_instaux_portable STATIC
    ${CMAKE_CURRENT_LIST_DIR}/InstallDecisions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/InstallPaths.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VersionNumber.cpp
)
target_include_directories(keld_instaux_portable PUBLIC ${CMAKE_SOURCE_DIR})
