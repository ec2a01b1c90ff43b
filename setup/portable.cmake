# Portable sources of the configuration program (no <windows.h>): built into
# KELDSetup and into the native unit tests.
target_sources(keld_portable PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ProfileDouble.cpp
    ${CMAKE_CURRENT_LIST_DIR}/options/ExtensionRegistration.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pages/CardAddress.cpp
    ${CMAKE_CURRENT_LIST_DIR}/valueentry/ValueText.cpp
)
