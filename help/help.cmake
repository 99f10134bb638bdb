# The operator's manual in ${CMAKE_BINARY_DIR}/help: the pages and stylesheet of help/, the
# pictures the program takes of itself, and, where chmcmd is installed, tivra.chm compiled from the
# same pages. Builds without the window (the Windows cross build) take the pictures of a build that
# has one, named by TIVRA_MANUAL_PICTURES; so do cross builds, which cannot run the program here.
set(TIVRA_MANUAL_PICTURES "" CACHE PATH
    "Folder holding the manual's pictures, for builds without the window (e.g. build/help/pictures)")

set(manual_source ${PROJECT_SOURCE_DIR}/help)
set(manual_dir ${CMAKE_BINARY_DIR}/help)

file(GLOB manual_pages CONFIGURE_DEPENDS ${manual_source}/*.html ${manual_source}/*.css)
set(manual_copies)
foreach(page ${manual_pages})
    get_filename_component(name ${page} NAME)
    list(APPEND manual_copies ${manual_dir}/${name})
endforeach()
# Pictures kept in the sources: those no build here can take (the window under Wine, which the
# Windows stage checks against its own run, tests/windows/window_under_wine.sh).
file(GLOB kept_pictures CONFIGURE_DEPENDS ${manual_source}/pictures/*.png)
foreach(picture ${kept_pictures})
    get_filename_component(name ${picture} NAME)
    list(APPEND manual_copies ${manual_dir}/pictures/${name})
endforeach()
add_custom_command(OUTPUT ${manual_copies}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${manual_dir}/pictures
    COMMAND ${CMAKE_COMMAND} -E copy ${manual_pages} ${manual_dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${kept_pictures} ${manual_dir}/pictures
    DEPENDS ${manual_pages} ${kept_pictures}
    COMMENT "Copying the manual's pages"
    VERBATIM)

# What tivra_pictures (src/app/manual_pictures.cpp) writes.
set(manual_picture_names
    window-start.png window.png splash.png box-port-conflict.png box-read-error.png box-success.png)
list(TRANSFORM manual_picture_names PREPEND ${manual_dir}/pictures/ OUTPUT_VARIABLE manual_pictures)
if(TARGET tivra_pictures)
    set(examples ${PROJECT_SOURCE_DIR}/examples)
    add_custom_command(OUTPUT ${manual_pictures}
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                $<TARGET_FILE:tivra_pictures> ${manual_dir}/pictures
                examples/mixed-sensors.smc examples/port-conflict.smc
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        DEPENDS tivra_pictures ${examples}/mixed-sensors.smc ${examples}/port-conflict.smc
        COMMENT "Taking the manual's pictures from the window"
        VERBATIM)
elseif(TIVRA_MANUAL_PICTURES)
    list(TRANSFORM manual_picture_names PREPEND ${TIVRA_MANUAL_PICTURES}/
         OUTPUT_VARIABLE picture_sources)
    add_custom_command(OUTPUT ${manual_pictures}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${manual_dir}/pictures
        COMMAND ${CMAKE_COMMAND} -E copy ${picture_sources} ${manual_dir}/pictures
        DEPENDS ${picture_sources}
        COMMENT "Copying the manual's pictures from ${TIVRA_MANUAL_PICTURES}"
        VERBATIM)
else()
    set(manual_pictures)
    message(STATUS "Manual: no pictures and no tivra.chm in this build "
                   "(no window; set TIVRA_MANUAL_PICTURES to a folder of them)")
endif()

find_program(TIVRA_CHMCMD chmcmd)
set(manual_chm)
if(TIVRA_CHMCMD AND manual_pictures)
    set(manual_chm ${manual_dir}/tivra.chm)
    set(project_files ${manual_source}/tivra.hhp ${manual_source}/tivra.hhc ${manual_source}/tivra.hhk)
    add_custom_command(OUTPUT ${manual_chm}
        COMMAND ${CMAKE_COMMAND} -DCHMCMD=${TIVRA_CHMCMD} -DMANUAL_DIR=${manual_dir}
                "-DPROJECT_FILES=${project_files}" -DSTAGE=${CMAKE_BINARY_DIR}/help-chm
                -P ${manual_source}/compile_chm.cmake
        DEPENDS ${manual_copies} ${manual_pictures} ${project_files} ${manual_source}/compile_chm.cmake
        COMMENT "Compiling tivra.chm"
        VERBATIM)
    if(WIN32)
        # The Windows help viewer looks for it beside the programs.
        add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/tivra.chm
            COMMAND ${CMAKE_COMMAND} -E copy ${manual_chm} ${CMAKE_BINARY_DIR}/tivra.chm
            DEPENDS ${manual_chm}
            VERBATIM)
        list(APPEND manual_chm ${CMAKE_BINARY_DIR}/tivra.chm)
    endif()
endif()

add_custom_target(tivra_manual ALL DEPENDS ${manual_copies} ${manual_pictures} ${manual_chm})
if(TARGET tivra)
    add_dependencies(tivra tivra_manual)
endif()
