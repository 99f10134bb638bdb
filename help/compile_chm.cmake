# Compiles tivra.chm from the built manual: stages its pages, stylesheet and pictures with the
# project files (tivra.hhp, .hhc, .hhk) in one folder and runs chmcmd there. chmcmd reports a
# contents or index entry that leads nowhere as an "Error:" line yet ends with status 0, so such
# lines fail the build here.
#   cmake -DCHMCMD=... -DMANUAL_DIR=... -DPROJECT_FILES=a;b;c -DSTAGE=... -P compile_chm.cmake
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
file(GLOB pages ${MANUAL_DIR}/*.html ${MANUAL_DIR}/*.css)
file(COPY ${pages} ${MANUAL_DIR}/pictures ${PROJECT_FILES} DESTINATION ${STAGE})
execute_process(COMMAND ${CHMCMD} tivra.hhp
    WORKING_DIRECTORY ${STAGE}
    RESULT_VARIABLE status
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
if(NOT status EQUAL 0 OR output MATCHES "Error" OR NOT EXISTS ${STAGE}/tivra.chm)
    message(FATAL_ERROR "chmcmd could not compile tivra.chm:\n${output}")
endif()
file(COPY_FILE ${STAGE}/tivra.chm ${MANUAL_DIR}/tivra.chm)
