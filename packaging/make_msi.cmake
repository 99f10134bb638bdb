# Runs wixl on the installer's description, reproducibly: wixl takes file paths only relative to
# its folders, and puts each file's modification time into the cabinet and the time of the run
# and a random package code into the summary. So the files go to a folder of their own, each
# with the time of the build, wixl runs at /, and tools/msi_summary.py sets the times and a
# package code made from what the package holds (the same package, the same code; any change, a
# new one). The .msi appears only when all of it went well.
#   cmake -DWIXL=... -DPYTHON=... -DSUMMARY_TOOL=msi_summary.py -DNAMESPACE=GUID -DEPOCH=N
#         -DINPUT=tivra.wxs -DOUTPUT=tivra.msi -P make_msi.cmake
file(READ ${INPUT} text)
set(staged ${OUTPUT}.files)
file(REMOVE_RECURSE ${staged})
string(REGEX MATCHALL "(Source|SourceFile)=\"/[^\"]*\"" sources "${text}")
list(REMOVE_DUPLICATES sources)
set(index 0)
set(contents "")
foreach(attribute ${sources})
    string(REGEX REPLACE "^[A-Za-z]+=\"(.*)\"$" "\\1" path "${attribute}")
    get_filename_component(name ${path} NAME)
    file(COPY ${path} DESTINATION ${staged}/${index})
    execute_process(COMMAND touch -h -d @${EPOCH} ${staged}/${index}/${name}
        RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "could not set the time of ${staged}/${index}/${name}")
    endif()
    file(SHA256 ${path} hash)
    string(APPEND contents "${index}/${name} ${hash}\n")
    string(REPLACE "\"${path}\"" "\"${staged}/${index}/${name}\"" text "${text}")
    math(EXPR index "${index} + 1")
endforeach()
# What the package holds, named without the folder it is made in.
string(REPLACE "${staged}/" "" holds "${text}")
string(REGEX REPLACE "(Source|SourceFile)=\"/" "\\1=\"" text "${text}")
file(WRITE ${INPUT}.relative "${text}")
string(UUID package_code NAMESPACE ${NAMESPACE} NAME "${holds}\n${contents}${EPOCH}" TYPE SHA1 UPPER)
set(partial ${OUTPUT}.partial)
file(REMOVE ${OUTPUT} ${partial})
execute_process(COMMAND ${WIXL} --arch x64 -o ${partial} ${INPUT}.relative
    WORKING_DIRECTORY /
    RESULT_VARIABLE status
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
if(status EQUAL 0 AND EXISTS ${partial})
    execute_process(COMMAND ${PYTHON} ${SUMMARY_TOOL} ${partial} ${package_code} ${EPOCH}
        RESULT_VARIABLE status OUTPUT_VARIABLE summary ERROR_VARIABLE summary)
    set(output "${output}${summary}")
else()
    set(status 1)
endif()
file(REMOVE_RECURSE ${staged} ${INPUT}.relative)
if(NOT status EQUAL 0)
    file(REMOVE ${partial})
    message(FATAL_ERROR "wixl could not make ${OUTPUT}:\n${output}")
endif()
file(RENAME ${partial} ${OUTPUT})
