# Runs wixl on the installer's description, reproducibly: wixl takes file paths only relative to
# its folders, and puts each file's modification time into the cabinet and the time of the run
# and a random package code into the summary. So the files go to a folder of their own, each
# with the time of the build, wixl runs at /, and tools/msi_summary.py sets the package code and
# the times afterwards.
#   cmake -DWIXL=... -DPYTHON=... -DSUMMARY_TOOL=msi_summary.py -DPACKAGE_CODE=GUID -DEPOCH=N
#         -DINPUT=tivra.wxs -DOUTPUT=tivra.msi -P make_msi.cmake
file(READ ${INPUT} text)
set(staged ${OUTPUT}.files)
file(REMOVE_RECURSE ${staged})
string(REGEX MATCHALL "(Source|SourceFile)=\"/[^\"]*\"" sources "${text}")
list(REMOVE_DUPLICATES sources)
set(index 0)
foreach(attribute ${sources})
    string(REGEX REPLACE "^[A-Za-z]+=\"(.*)\"$" "\\1" path "${attribute}")
    get_filename_component(name ${path} NAME)
    file(COPY ${path} DESTINATION ${staged}/${index})
    execute_process(COMMAND touch -h -d @${EPOCH} ${staged}/${index}/${name}
        RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "could not set the time of ${staged}/${index}/${name}")
    endif()
    string(REPLACE "\"${path}\"" "\"${staged}/${index}/${name}\"" text "${text}")
    math(EXPR index "${index} + 1")
endforeach()
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
execute_process(COMMAND ${PYTHON} ${SUMMARY_TOOL} ${OUTPUT} ${PACKAGE_CODE} ${EPOCH}
    RESULT_VARIABLE status)
file(REMOVE_RECURSE ${staged})
if(NOT status EQUAL 0)
    file(REMOVE ${OUTPUT})
    message(FATAL_ERROR "the summary of ${OUTPUT} could not be set")
endif()
