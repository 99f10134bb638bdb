# Runs wixl on the installer's description: wixl takes file paths only relative to its folders,
# so the absolute ones become relative to / and wixl runs there.
#   cmake -DWIXL=... -DINPUT=tivra.wxs -DOUTPUT=tivra.msi -P make_msi.cmake
file(READ ${INPUT} text)
string(REGEX REPLACE "(Source|SourceFile)=\"/" "\\1=\"" text "${text}")
file(WRITE ${INPUT}.relative "${text}")
execute_process(COMMAND ${WIXL} --arch x64 -o ${OUTPUT} ${INPUT}.relative
    WORKING_DIRECTORY /
    RESULT_VARIABLE status
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
if(NOT status EQUAL 0 OR NOT EXISTS ${OUTPUT})
    message(FATAL_ERROR "wixl could not make ${OUTPUT}:\n${output}")
endif()
