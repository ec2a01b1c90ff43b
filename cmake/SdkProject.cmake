# A project of extension modules built as an outside author builds them:
# configured against the SDK folder that the keld_sdk target installs and
# nothing else of this project.
#   keld_add_sdk_project(TARGET SOURCE_DIR BINARY_DIR [EXCLUDE_FROM_ALL] [CMAKE_ARGS ...])
include_guard(GLOBAL)
include(ExternalProject)

function(keld_add_sdk_project target source binary)
    cmake_parse_arguments(arg "EXCLUDE_FROM_ALL" "" "CMAKE_ARGS" ${ARGN})
    ExternalProject_Add(${target}
        SOURCE_DIR ${source}
        BINARY_DIR ${binary}
        CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_BUILD_TYPE=Release
                   -DKELDSetupSDK_DIR=${KELD_SDK_DIR}/lib/cmake/KELDSetupSDK ${arg_CMAKE_ARGS}
        INSTALL_COMMAND ""
        BUILD_ALWAYS ON
        EXCLUDE_FROM_ALL ${arg_EXCLUDE_FROM_ALL}
        DEPENDS keld_sdk)
endfunction()
