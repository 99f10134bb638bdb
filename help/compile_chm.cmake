# Compiles tivra.chm from the built manual: stages its pages, stylesheet and pictures with the
# project files (tivra.hhp, .hhc, .hhk) in one folder and runs chmcmd there. chmcmd reports a
# contents or index entry that leads nowhere as an "Error:" line yet ends with status 0, so such
# lines fail the build here.
#
# The same pages give the same file: chmcmd writes the time of its run (read from the kernel
# directly, so no preloaded library can change it), and an index word that holds whatever its
# memory held before, which depends on where things lie in memory. So it runs with the clock
# calls answered by EPOCH (strace), without address randomisation (setarch -R), with an empty
# environment, in a folder whose name is always as long.
#   cmake -DCHMCMD=... -DSTRACE=... -DEPOCH=N -DMANUAL_DIR=... -DPROJECT_FILES=a;b;c
#         -P compile_chm.cmake
execute_process(COMMAND mktemp -d /tmp/tivra-chm.XXXXXXXXXX OUTPUT_VARIABLE stage
    OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "no folder for compiling tivra.chm")
endif()
file(GLOB pages ${MANUAL_DIR}/*.html ${MANUAL_DIR}/*.css)
file(COPY ${pages} ${MANUAL_DIR}/pictures ${PROJECT_FILES} DESTINATION ${stage})
# struct timeval and struct timespec of EPOCH, as the bytes strace writes.
math(EXPR seconds "${EPOCH}" OUTPUT_FORMAT HEXADECIMAL)
string(SUBSTRING ${seconds} 2 -1 seconds)
string(LENGTH ${seconds} digits)
math(EXPR padding "16 - ${digits}")
string(REPEAT "0" ${padding} zeros)
string(REGEX MATCHALL ".." pairs "${zeros}${seconds}")
list(REVERSE pairs)
string(JOIN "" time ${pairs})
string(APPEND time "0000000000000000")
execute_process(COMMAND env -i PATH=/usr/bin:/bin setarch -R
        ${STRACE} -qq -o /dev/null -e trace=gettimeofday,clock_gettime,time
        -e inject=gettimeofday:poke_exit=@arg1=${time}
        -e inject=clock_gettime:poke_exit=@arg2=${time}
        -e inject=time:retval=${EPOCH}
        ${CHMCMD} tivra.hhp
    WORKING_DIRECTORY ${stage}
    RESULT_VARIABLE status
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
if(NOT status EQUAL 0 OR output MATCHES "Error" OR NOT EXISTS ${stage}/tivra.chm)
    file(REMOVE_RECURSE ${stage})
    message(FATAL_ERROR "chmcmd could not compile tivra.chm:\n${output}")
endif()
file(COPY_FILE ${stage}/tivra.chm ${MANUAL_DIR}/tivra.chm)
file(REMOVE_RECURSE ${stage})
