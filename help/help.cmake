# The operator's manual in ${CMAKE_BINARY_DIR}/help: the pages of help/ made into the built manual
# (help/make_manual.cmake: navigation, titles, the rate table the program computes, the contents,
# the index and its page), the stylesheet, the pictures the program takes of itself, and, where
# chmcmd is installed, tivra.chm compiled from the same pages. A build that cannot run the program
# here (the Windows cross build) takes the whole built manual of one that can, named by
# TIVRA_NATIVE_BUILD (e.g. build, whose help/ and help-project/ it copies).

set(manual_source ${PROJECT_SOURCE_DIR}/help)
set(manual_dir ${CMAKE_BINARY_DIR}/help)
set(manual_project ${CMAKE_BINARY_DIR}/help-project)
# The pages in the order of the navigation bar and the contents, with their labels in the bar.
set(manual_page_order
    "index.html=Contents" "getting-started.html=Getting started" "tasks.html=Tasks"
    "window.html=The window" "checking.html=Checking" "files.html=Files" "boards.html=Boards"
    "tivractl.html=tivractl" "troubleshooting.html=Troubleshooting" "messages.html=Messages"
    "glossary.html=Glossary" "installing.html=Installing" "terms.html=Index")
# What tivra_pictures (tools/manual_pictures.cpp) writes.
set(manual_picture_names window-start.png window.png window-annotated.png splash.png
    box-port-conflict.png box-read-error.png box-success.png)

file(GLOB manual_pages CONFIGURE_DEPENDS ${manual_source}/*.html)
set(manual_built ${manual_dir}/style.css ${manual_dir}/terms.html ${manual_project}/tivra.hhc
    ${manual_project}/tivra.hhk ${manual_project}/tivra.hhp)
foreach(page ${manual_pages})
    get_filename_component(name ${page} NAME)
    list(APPEND manual_built ${manual_dir}/${name})
endforeach()
# Pictures kept in the sources: those no build here can take (the window under Wine, which the
# Windows stage checks against its own run, tests/windows/window_under_wine.sh).
file(GLOB kept_pictures CONFIGURE_DEPENDS ${manual_source}/pictures/*.png)
set(kept_copies)
foreach(picture ${kept_pictures})
    get_filename_component(name ${picture} NAME)
    list(APPEND kept_copies ${manual_dir}/pictures/${name})
endforeach()
list(TRANSFORM manual_picture_names PREPEND ${manual_dir}/pictures/ OUTPUT_VARIABLE manual_pictures)

if(NOT CMAKE_CROSSCOMPILING)
    # Tables computed by the program's own rules.
    add_executable(tivra_manual_tables ${PROJECT_SOURCE_DIR}/tools/manual_tables.cpp)
    target_link_libraries(tivra_manual_tables PRIVATE tivra_core)
    set(rates ${CMAKE_BINARY_DIR}/help-tables/rates.html)
    add_custom_command(OUTPUT ${rates}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/help-tables
        COMMAND $<TARGET_FILE:tivra_manual_tables> rates > ${rates}
        DEPENDS tivra_manual_tables
        VERBATIM)
    add_custom_command(OUTPUT ${manual_built} ${kept_copies}
        COMMAND ${CMAKE_COMMAND} -DSOURCE=${manual_source} -DOUT=${manual_dir}
                -DPROJECT_OUT=${manual_project} "-DPAGES=${manual_page_order}" -DRATES=${rates}
                -DVERSION=${PROJECT_VERSION}
                -P ${manual_source}/make_manual.cmake
        COMMAND ${CMAKE_COMMAND} -E copy ${manual_source}/style.css ${manual_dir}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${manual_dir}/pictures
        COMMAND ${CMAKE_COMMAND} -E copy ${kept_pictures} ${manual_dir}/pictures
        DEPENDS ${manual_pages} ${manual_source}/style.css ${manual_source}/index.txt
                ${manual_source}/tivra.hhp ${manual_source}/make_manual.cmake ${rates}
                ${kept_pictures}
        COMMENT "Making the manual's pages, contents and index"
        VERBATIM)
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
    else()
        set(manual_pictures)
        message(STATUS "Manual: no pictures and no tivra.chm in this build (no window)")
    endif()
elseif(TIVRA_NATIVE_BUILD)
    set(from ${TIVRA_NATIVE_BUILD})
    set(sources)
    foreach(file ${manual_built} ${kept_copies} ${manual_pictures})
        string(REPLACE "${CMAKE_BINARY_DIR}" "${from}" source "${file}")
        list(APPEND sources ${source})
    endforeach()
    add_custom_command(OUTPUT ${manual_built} ${kept_copies} ${manual_pictures}
        COMMAND ${CMAKE_COMMAND} -E copy_directory ${from}/help ${manual_dir}
        COMMAND ${CMAKE_COMMAND} -E copy_directory ${from}/help-project ${manual_project}
        DEPENDS ${sources}
        COMMENT "Copying the manual of ${from}"
        VERBATIM)
else()
    set(manual_built)
    set(kept_copies)
    set(manual_pictures)
    message(STATUS "Manual: none in this build (cross build; set TIVRA_NATIVE_BUILD to a native one)")
endif()

find_program(TIVRA_CHMCMD chmcmd)
find_program(TIVRA_STRACE strace)
set(manual_chm)
if(TIVRA_CHMCMD AND manual_pictures)
    if(NOT TIVRA_STRACE)
        message(FATAL_ERROR "tivra.chm is compiled under strace, which fixes chmcmd's clock: "
            "apt-get install strace (scripts/setup installs it)")
    endif()
    set(manual_chm ${manual_dir}/tivra.chm)
    set(project_files ${manual_project}/tivra.hhp ${manual_project}/tivra.hhc
        ${manual_project}/tivra.hhk)
    add_custom_command(OUTPUT ${manual_chm}
        COMMAND ${CMAKE_COMMAND} -DCHMCMD=${TIVRA_CHMCMD} -DSTRACE=${TIVRA_STRACE}
                -DEPOCH=${TIVRA_SOURCE_DATE_EPOCH} -DMANUAL_DIR=${manual_dir}
                "-DPROJECT_FILES=${project_files}" -P ${manual_source}/compile_chm.cmake
        DEPENDS ${manual_built} ${manual_pictures} ${kept_copies} ${manual_source}/compile_chm.cmake
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

add_custom_target(tivra_manual ALL
    DEPENDS ${manual_built} ${kept_copies} ${manual_pictures} ${manual_chm})
if(TARGET tivra)
    add_dependencies(tivra tivra_manual)
endif()
