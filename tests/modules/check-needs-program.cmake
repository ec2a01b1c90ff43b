# Fails unless MODULE imports from KELDSetup.exe (it was linked against the
# program's import library).
execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT headers MATCHES "DLL Name: KELDSetup\\.exe")
    message(FATAL_ERROR "${MODULE} does not import from KELDSetup.exe")
endif()
message(STATUS "${MODULE} imports from KELDSetup.exe")
