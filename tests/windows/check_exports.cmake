# Checks the export table of the stand-in bridge library with objdump -p: the eleven ordinals of
# the real library and no exported name at all (a name would let a by-name lookup work).
#   cmake -DOBJDUMP=... -DLIBRARY=... -P check_exports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY}
    OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "objdump -p ${LIBRARY} failed: ${result}")
endif()

string(REGEX MATCHALL "\\+base\\[ *[0-9]+\\]" slots "${dump}")
set(ordinals "")
foreach(slot IN LISTS slots)
    string(REGEX REPLACE "[^0-9]" "" ordinal "${slot}")
    list(APPEND ordinals ${ordinal})
endforeach()
if(NOT ordinals STREQUAL "1;2;3;4;6;7;9;10;12;13;15")
    message(FATAL_ERROR "exported ordinals are '${ordinals}', not 1 2 3 4 6 7 9 10 12 13 15")
endif()

string(FIND "${dump}" "[Ordinal/Name Pointer] Table" at)
if(at LESS 0)
    message(FATAL_ERROR "objdump shows no name table for ${LIBRARY}")
endif()
string(SUBSTRING "${dump}" ${at} -1 names)
string(REGEX MATCH "\n\t\\[ *[0-9]+\\] [^\n]+" name "${names}")
if(name)
    message(FATAL_ERROR "the stand-in exports names:\n${names}")
endif()
message(STATUS "${LIBRARY}: ordinals ${ordinals}, no names")
