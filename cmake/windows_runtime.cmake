# Cross builds for Windows: what a program of this build needs beside it to run, and a Wine that
# finds it. Included by the top-level list file before any target is made.
#   TIVRA_RUNTIME_DLLS   the compiler's runtime DLLs that the Qt DLLs import
#   TIVRA_QT_PREFIX      the Qt for MinGW the window is built with (scripts/windows-qt)
# Programs are run through build/wine-run, which puts both on Wine's search path, so that ctest
# and test discovery work without any variable set.
set(TIVRA_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(IS_ABSOLUTE "${found}" AND EXISTS "${found}")
        get_filename_component(found "${found}" REALPATH)
        list(APPEND TIVRA_RUNTIME_DLLS ${found})
    elseif(TIVRA_BUILD_GUI)
        message(FATAL_ERROR "The compiler's ${dll} is not found; the Qt DLLs need it")
    endif()
endforeach()

set(TIVRA_QT_PREFIX "")
if(TIVRA_BUILD_GUI)
    find_package(Qt6 REQUIRED COMPONENTS Core)
    get_filename_component(TIVRA_QT_PREFIX "${Qt6_DIR}/../../.." REALPATH)
endif()

if(CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR)
    set(wine_path)
    foreach(folder ${TIVRA_QT_PREFIX}/bin ${TIVRA_RUNTIME_DLLS})
        if(folder MATCHES "\\.dll$")
            get_filename_component(folder ${folder} DIRECTORY)
        endif()
        string(REPLACE "/" "\\" folder "Z:${folder}")
        list(APPEND wine_path "${folder}")
    endforeach()
    list(REMOVE_DUPLICATES wine_path)
    list(JOIN wine_path ";" wine_path)
    set(wine_run ${CMAKE_BINARY_DIR}/wine-run)
    file(WRITE ${wine_run}
        "#!/bin/sh\n# Runs a program of this build under Wine with the Qt and compiler DLLs found.\n"
        "WINEPATH='${wine_path}' exec '${CMAKE_CROSSCOMPILING_EMULATOR}' \"$@\"\n")
    file(CHMOD ${wine_run} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
        GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${wine_run})
endif()
