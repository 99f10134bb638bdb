# What Windows users install: a ZIP (CPack, `cpack -G ZIP`) and an installer (the target
# tivra_msi, made with wixl), both holding the same files:
#   tivra.exe, tivractl.exe, the Qt DLLs and plugins the window loads and the compiler's runtime
#   DLLs they import (stripped), tivra.chm, examples\*.smc, readme.txt, licenses\*.
# Included by packaging/CMakeLists.txt.

set(deploy ${CMAKE_BINARY_DIR}/deploy)
set(windows_files)  # "destination folder|source file" pairs, for the installer
macro(windows_file destination source)
    list(APPEND windows_files "${destination}|${source}")
endmacro()

configure_file(windows-readme.txt ${generated}/readme.txt @ONLY NEWLINE_STYLE CRLF)
install(TARGETS tivractl RUNTIME DESTINATION .)
windows_file(. $<TARGET_FILE:tivractl>)
install(FILES ${generated}/readme.txt DESTINATION .)
windows_file(. ${generated}/readme.txt)
# The Windows stage compiles the manual there when it can.
install(FILES ${CMAKE_BINARY_DIR}/tivra.chm DESTINATION . OPTIONAL)
if(manual_chm)
    windows_file(. ${CMAKE_BINARY_DIR}/tivra.chm)
endif()
file(GLOB examples ${PROJECT_SOURCE_DIR}/examples/*.smc)
install(FILES ${examples} DESTINATION examples)
foreach(example ${examples})
    windows_file(examples ${example})
endforeach()

if(NOT TARGET tivra)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME tivra-${PROJECT_VERSION}-win64)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    include(CPack)
    return()
endif()

install(TARGETS tivra RUNTIME DESTINATION .)
windows_file(. $<TARGET_FILE:tivra>)

# The DLLs the window loads, stripped of their symbols (Qt's release build keeps them: 62 MB
# against 26 MB), and nothing more: no image-format plugins (the splash is decoded by libjpeg in
# the program, the icon is PNG, which Qt reads itself), no other platform.
set(libraries
    .|${TIVRA_QT_PREFIX}/bin/Qt6Core.dll
    .|${TIVRA_QT_PREFIX}/bin/Qt6Gui.dll
    .|${TIVRA_QT_PREFIX}/bin/Qt6Widgets.dll
    platforms|${TIVRA_QT_PREFIX}/plugins/platforms/qwindows.dll
    styles|${TIVRA_QT_PREFIX}/plugins/styles/qwindowsvistastyle.dll)
foreach(dll ${TIVRA_RUNTIME_DLLS})
    list(APPEND libraries .|${dll})
endforeach()
set(stripped)
foreach(entry ${libraries})
    string(REPLACE "|" ";" entry ${entry})
    list(GET entry 0 destination)
    list(GET entry 1 source)
    get_filename_component(name ${source} NAME)
    set(copy ${deploy}/${destination}/${name})
    add_custom_command(OUTPUT ${copy}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${deploy}/${destination}
        # (strip stamps a PE file with SOURCE_DATE_EPOCH, else the time of the run)
        COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${TIVRA_SOURCE_DATE_EPOCH}
                ${CMAKE_STRIP} --strip-unneeded -o ${copy} ${source}
        DEPENDS ${source}
        VERBATIM)
    list(APPEND stripped ${copy})
    install(FILES ${copy} DESTINATION ${destination})
    windows_file(${destination} ${copy})
endforeach()
add_custom_target(tivra_windows_dlls ALL DEPENDS ${stripped})
# Where each DLL came from, for the packages' bills of materials (tools/sbom.py): the Qt of the
# cache (its SOURCE.txt names the source packages) or a file of a Debian package.
set(shipped "qt-prefix|${TIVRA_QT_PREFIX}\n")
foreach(entry ${libraries})
    string(REPLACE "|" ";" entry ${entry})
    list(GET entry 0 destination)
    list(GET entry 1 source)
    get_filename_component(name ${source} NAME)
    string(APPEND shipped "dll|${destination}/${name}|${source}\n")
endforeach()
file(WRITE ${generated}/shipped-from.txt "${shipped}")

# Licences: the program's, and those of what the DLLs and the program hold (Qt under the LGPL
# version 3, libjpeg-turbo linked into tivra.exe, the compiler's runtime), as Debian's copyright
# files of the very source packages they were built from.
execute_process(COMMAND dpkg-query -W "-f=\${source:Version}" qt6-base-dev
    OUTPUT_VARIABLE qt_source_version OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND dpkg-query -W "-f=\${source:Version}" libjpeg62-turbo-dev
    OUTPUT_VARIABLE jpeg_source_version OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND dpkg-query -W "-f=\${source:Version}" nlohmann-json3-dev
    OUTPUT_VARIABLE nlohmann_json_source_version OUTPUT_STRIP_TRAILING_WHITESPACE)
string(REGEX REPLACE "-[^-]*$" "" nlohmann_json_version "${nlohmann_json_source_version}")
configure_file(windows-licenses.txt ${generated}/licenses/README.txt @ONLY NEWLINE_STYLE CRLF)
set(licenses
    ${generated}/licenses/README.txt
    ${PROJECT_SOURCE_DIR}/LICENSE|tivra.txt
    /usr/share/common-licenses/LGPL-3|LGPL-3.txt
    /usr/share/common-licenses/GPL-3|GPL-3.txt
    /usr/share/doc/libqt6core6/copyright|Qt-copyright.txt
    /usr/share/doc/libjpeg62-turbo/copyright|libjpeg-turbo-copyright.txt
    /usr/share/doc/nlohmann-json3-dev/copyright|nlohmann-json-copyright.txt
    /usr/share/doc/gcc-mingw-w64-base/copyright|gcc-runtime-copyright.txt
    /usr/share/doc/mingw-w64-common/copyright|mingw-w64-copyright.txt)
foreach(entry ${licenses})
    string(REPLACE "|" ";" entry ${entry})
    list(GET entry 0 source)
    list(LENGTH entry parts)
    if(parts EQUAL 2)
        list(GET entry 1 name)
    else()
        get_filename_component(name ${source} NAME)
    endif()
    if(NOT EXISTS ${source})
        message(FATAL_ERROR "${source} is missing: the Windows packages must carry it")
    endif()
    configure_file(${source} ${generated}/licenses/${name} COPYONLY)
    install(FILES ${generated}/licenses/${name} DESTINATION licenses)
    windows_file(licenses ${generated}/licenses/${name})
endforeach()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME tivra-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)

# The installer: Program Files\tivra, a Start-menu shortcut, .smc files opening in tivra with its
# icon, and the uninstall entry that Windows Installer makes itself.
find_program(TIVRA_WIXL wixl)
if(NOT TIVRA_WIXL OR NOT TIVRA_WINDOWS_ICON)
    message(STATUS "No wixl (Debian: wixl) or no icon: no installer")
    return()
endif()
# Debian's Python, with its olefile, sets the installer's package code and times.
find_program(TIVRA_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
execute_process(COMMAND ${TIVRA_SYSTEM_PYTHON} -c "import olefile" RESULT_VARIABLE no_olefile
    OUTPUT_QUIET ERROR_QUIET)
if(no_olefile)
    message(FATAL_ERROR "The installer needs Python's olefile: apt-get install python3-olefile "
        "(scripts/setup installs it)")
endif()
set(components "")
set(component_refs "")
set(folders "")
set(index 0)
foreach(entry ${windows_files})
    string(REPLACE "|" ";" entry ${entry})
    list(GET entry 0 destination)
    list(GET entry 1 source)
    math(EXPR index "${index} + 1")
    if(destination STREQUAL ".")
        set(directory INSTALLDIR)
    else()
        set(directory dir_${destination})
        if(NOT destination IN_LIST folders)
            list(APPEND folders ${destination})
        endif()
    endif()
    set(extra "")
    if(source STREQUAL "$<TARGET_FILE:tivra>")
        set(extra "@TIVRA_EXE_EXTRAS@")
    endif()
    string(APPEND components
        "    <DirectoryRef Id=\"${directory}\"><Component Id=\"c${index}\" Guid=\"*\" Win64=\"yes\">"
        "<File Id=\"f${index}\" Source=\"${source}\" KeyPath=\"yes\"/>${extra}</Component></DirectoryRef>\n")
    string(APPEND component_refs "      <ComponentRef Id=\"c${index}\"/>\n")
endforeach()
set(directories "")
foreach(folder ${folders})
    string(APPEND directories "          <Directory Id=\"dir_${folder}\" Name=\"${folder}\"/>\n")
endforeach()

set(TIVRA_EXE_EXTRAS
"<Shortcut Id=\"startmenu\" Directory=\"ProgramMenuFolder\" Name=\"tivra\" Description=\"${CPACK_PACKAGE_DESCRIPTION_SUMMARY}\" Target=\"[INSTALLDIR]tivra.exe\" WorkingDirectory=\"PersonalFolder\" Icon=\"tivra.ico\"/>\
<RegistryValue Root=\"HKLM\" Key=\"Software\\Classes\\.smc\" Type=\"string\" Value=\"tivra.smc\"/>\
<RegistryValue Root=\"HKLM\" Key=\"Software\\Classes\\tivra.smc\" Type=\"string\" Value=\"Serial multiplexer configuration file\"/>\
<RegistryValue Root=\"HKLM\" Key=\"Software\\Classes\\tivra.smc\\DefaultIcon\" Type=\"string\" Value=\"[INSTALLDIR]tivra.exe,0\"/>\
<RegistryValue Root=\"HKLM\" Key=\"Software\\Classes\\tivra.smc\\shell\\open\\command\" Type=\"string\" Value=\"&quot;[INSTALLDIR]tivra.exe&quot; &quot;%1&quot;\"/>")
string(REPLACE "@TIVRA_EXE_EXTRAS@" "${TIVRA_EXE_EXTRAS}" components "${components}")
set(TIVRA_MSI_UPGRADE_CODE 4f6d0b52-9a1e-4c7e-8b0f-3c2a7d5e91b4)

# An installer of the build at a version: its description, made into the .msi by wixl. The test
# of an upgrade makes a second one at a higher version, with a changed readme to tell its files by.
function(tivra_installer version output readme)
    set(TIVRA_MSI_VERSION ${version})
    string(UUID TIVRA_MSI_PRODUCT_CODE NAMESPACE ${TIVRA_MSI_UPGRADE_CODE}
        NAME "tivra ${version}" TYPE SHA1 UPPER)
    string(REPLACE "${generated}/readme.txt" "${readme}" components "${components}")
    set(stem ${generated}/tivra-${version})
    configure_file(${CMAKE_CURRENT_SOURCE_DIR}/tivra.wxs.in ${stem}.wxs.in @ONLY)
    file(GENERATE OUTPUT ${stem}.wxs INPUT ${stem}.wxs.in)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DWIXL=${TIVRA_WIXL} -DPYTHON=${TIVRA_SYSTEM_PYTHON}
                -DSUMMARY_TOOL=${PROJECT_SOURCE_DIR}/tools/msi_summary.py
                -DNAMESPACE=${TIVRA_MSI_UPGRADE_CODE} -DEPOCH=${TIVRA_SOURCE_DATE_EPOCH}
                -DINPUT=${stem}.wxs -DOUTPUT=${output} -P ${CMAKE_CURRENT_SOURCE_DIR}/make_msi.cmake
        DEPENDS ${stem}.wxs ${CMAKE_CURRENT_SOURCE_DIR}/make_msi.cmake
                ${PROJECT_SOURCE_DIR}/tools/msi_summary.py tivra tivractl
                tivra_windows_dlls ${TIVRA_WINDOWS_ICON} ${manual_chm} ${readme}
        COMMENT "Making the installer of ${version} with wixl"
        VERBATIM)
endfunction()

set(msi ${CMAKE_BINARY_DIR}/tivra-${PROJECT_VERSION}-win64.msi)
tivra_installer(${PROJECT_VERSION} ${msi} ${generated}/readme.txt)
# The same build as the next version up, for the upgrade test (tests/windows).
string(REGEX MATCH "[0-9]+$" patch ${PROJECT_VERSION})
math(EXPR next_patch "${patch} + 1")
string(REGEX REPLACE "[0-9]+$" "${next_patch}" next_version ${PROJECT_VERSION})
file(READ ${generated}/readme.txt readme_text)
file(WRITE ${generated}/upgrade-test/readme.txt "${readme_text}\r\n(upgrade test ${next_version})\r\n")
tivra_installer(${next_version} ${CMAKE_BINARY_DIR}/tivra-upgrade-test-${next_version}.msi
    ${generated}/upgrade-test/readme.txt)
add_custom_target(tivra_msi_upgrade_test
    DEPENDS ${CMAKE_BINARY_DIR}/tivra-upgrade-test-${next_version}.msi)
add_custom_target(tivra_msi DEPENDS ${msi})
