# The configurator window (Qt 6 Widgets) and the program `tivra`.
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
find_package(JPEG REQUIRED)

set(gui_src ${PROJECT_SOURCE_DIR}/src)
set(gui_gen ${CMAKE_BINARY_DIR}/generated)

# Pictures compiled into the program as byte arrays: the splash JPEG and the icon.
function(tivra_embed_file input symbol output_var)
    set(output ${gui_gen}/${symbol}.cpp)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol}
                -P ${gui_src}/resources/embed_file.cmake
        DEPENDS ${input} ${gui_src}/resources/embed_file.cmake
        COMMENT "Embedding ${input}"
        VERBATIM)
    set(${output_var} ${output} PARENT_SCOPE)
endfunction()
tivra_embed_file(${gui_src}/resources/splash.jpg SPLASH_JPEG splash_cpp)
tivra_embed_file(${gui_src}/resources/icon.png PROGRAM_ICON_PNG icon_cpp)
add_library(tivra_resources STATIC ${splash_cpp} ${icon_cpp})
target_include_directories(tivra_resources PUBLIC ${gui_src})

# The window: main form, its ConfigForm, the Qt operator and file dialogs.
file(GLOB window_sources CONFIGURE_DEPENDS ${gui_src}/ui/*.cpp)
drop_other_platform(window_sources)
add_library(tivra_window STATIC ${window_sources})
target_link_libraries(tivra_window PUBLIC tivra_core tivra_resources Qt6::Widgets)
if(WIN32)
    target_link_libraries(tivra_window PRIVATE comdlg32)  # the system's file dialogs
endif()
set_target_properties(tivra_window PROPERTIES AUTOMOC ON)
# On X the program corrects what Qt puts in an empty title bar (ui/desktop_title.cpp).
find_package(PkgConfig QUIET)
if(PKG_CONFIG_FOUND AND NOT WIN32)
    pkg_check_modules(XCB IMPORTED_TARGET xcb)
    if(TARGET PkgConfig::XCB)
        target_link_libraries(tivra_window PRIVATE PkgConfig::XCB)
        target_compile_definitions(tivra_window PRIVATE TIVRA_WITH_XCB)
    endif()
endif()

# The application shell: start-up, dispatch, menus, splash, shutdown. The plain C++ platform
# pieces (guard, help launcher, program folder) come from tivra_platform.
set(shell_sources
    ${gui_src}/app/application.cpp
    ${gui_src}/app/menu_bar.cpp
    ${gui_src}/app/splash_clock.cpp
    ${gui_src}/app/splash_picture.cpp
    ${gui_src}/app/splash_screen.cpp
    ${gui_src}/app/program_start_posix.cpp
    ${gui_src}/app/program_start_windows.cpp)
drop_other_platform(shell_sources)
add_library(tivra_shell STATIC ${shell_sources})
target_link_libraries(tivra_shell PUBLIC tivra_window tivra_platform JPEG::JPEG)
set_target_properties(tivra_shell PROPERTIES AUTOMOC ON)
target_compile_definitions(tivra_shell PRIVATE TIVRA_APP_ID="${TIVRA_APP_ID}")

add_executable(tivra WIN32 ${gui_src}/app/main.cpp)
target_link_libraries(tivra PRIVATE tivra_shell)
if(WIN32)
    # The version in the file's properties and the icon Windows shows for the program, its
    # shortcut and its files, drawn from the scalable icon where rsvg-convert and ImageMagick are.
    enable_language(RC)
    find_program(RSVG_CONVERT rsvg-convert)
    find_program(TIVRA_CONVERT convert)
    set(TIVRA_WINDOWS_ICON "")
    set(TIVRA_ICON_RESOURCE "")
    if(RSVG_CONVERT AND TIVRA_CONVERT)
        set(TIVRA_WINDOWS_ICON ${gui_gen}/tivra.ico)
        set(TIVRA_ICON_RESOURCE "IDI_ICON1 ICON \"${TIVRA_WINDOWS_ICON}\"")
        set(icon_commands)
        set(icon_pngs)
        foreach(size 16 32 48 256)
            list(APPEND icon_commands COMMAND ${RSVG_CONVERT} -w ${size} -h ${size}
                -o ${gui_gen}/icon-${size}.png ${PROJECT_SOURCE_DIR}/packaging/tivra.svg)
            list(APPEND icon_pngs ${gui_gen}/icon-${size}.png)
        endforeach()
        add_custom_command(OUTPUT ${TIVRA_WINDOWS_ICON}
            ${icon_commands}
            COMMAND ${TIVRA_CONVERT} ${icon_pngs} ${TIVRA_WINDOWS_ICON}
            DEPENDS ${PROJECT_SOURCE_DIR}/packaging/tivra.svg
            COMMENT "Drawing the Windows icon"
            VERBATIM)
        target_sources(tivra PRIVATE ${TIVRA_WINDOWS_ICON})
    else()
        message(STATUS "No rsvg-convert and ImageMagick convert: tivra.exe without its icon")
    endif()
    # Its version resource with the icon and the manifest.
    string(REPLACE "." "," TIVRA_VERSION_COMMAS "${PROJECT_VERSION}")
    set(TIVRA_VERSION_QUAD "${PROJECT_VERSION}.0")
    configure_file(${gui_src}/resources/tivra.manifest ${gui_gen}/tivra.manifest @ONLY)
    set(TIVRA_RC_EXTRAS "${TIVRA_ICON_RESOURCE}\n1 24 \"${gui_gen}/tivra.manifest\"")
    set(TIVRA_RC_NAME tivra)
    set(TIVRA_RC_DESCRIPTION "Quorvantel Ostrel RK-2 configurator")
    configure_file(${gui_src}/resources/version.rc.in ${gui_gen}/tivra.rc @ONLY)
    target_sources(tivra PRIVATE ${gui_gen}/tivra.rc)
    set_source_files_properties(${gui_gen}/tivra.rc PROPERTIES OBJECT_DEPENDS
        "${TIVRA_WINDOWS_ICON};${gui_gen}/tivra.manifest")
endif()

# Build-only: takes the manual's pictures from the real window, splash and boxes (help/help.cmake).
# A cross build cannot run it; it takes the manual of a native build (TIVRA_NATIVE_BUILD).
if(NOT CMAKE_CROSSCOMPILING)
    add_executable(tivra_pictures ${PROJECT_SOURCE_DIR}/tools/manual_pictures.cpp)
    target_link_libraries(tivra_pictures PRIVATE tivra_shell)
endif()
