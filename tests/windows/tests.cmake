# Windows only: the bridge library binding against stand-in libraries, run under Wine here.
if(WIN32)
    set(windows_tests_dir ${CMAKE_CURRENT_SOURCE_DIR}/windows)
    set(windows_bin_dir ${CMAKE_CURRENT_BINARY_DIR}/windows)

    # The stand-in library, exported by ordinal only, beside the test program where the bridge
    # looks for it first.
    add_library(siusbxp_stand_in SHARED
        ${windows_tests_dir}/stand_in_library.cpp ${windows_tests_dir}/stand_in_by_ordinal.def)
    # The same operations exported by name only, at ordinals the real library does not use (a
    # program that binds by name would work with it, one that binds by ordinal finds nothing), in a
    # folder of its own.
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
        ${windows_tests_dir}/stand_in_by_ordinal.def)
    file(READ ${windows_tests_dir}/stand_in_by_ordinal.def by_ordinal)
    string(REGEX REPLACE " @([0-9]+) NONAME" " @10\\1" by_name "${by_ordinal}")
    file(WRITE ${windows_bin_dir}/stand_in_by_name.def "${by_name}")
    add_library(siusbxp_by_name SHARED
        ${windows_tests_dir}/stand_in_library.cpp ${windows_bin_dir}/stand_in_by_name.def)
    set(siusbxp_stand_in_dir ${windows_bin_dir})
    set(siusbxp_by_name_dir ${windows_bin_dir}/by-name)
    foreach(library siusbxp_stand_in siusbxp_by_name)
        target_link_libraries(${library} PRIVATE tivra_core)
        set_target_properties(${library} PROPERTIES PREFIX "" OUTPUT_NAME SiUSBXp
            RUNTIME_OUTPUT_DIRECTORY ${${library}_dir}
            ARCHIVE_OUTPUT_DIRECTORY ${${library}_dir}/import)
    endforeach()

    add_executable(test_windows ${windows_tests_dir}/siusbxp_bridge_test.cpp)
    target_link_libraries(test_windows PRIVATE tivra_test_support tivra_platform GTest::gtest_main)
    if(TARGET tivra AND TARGET tivractl)
        # The programs' file properties.
        target_sources(test_windows PRIVATE ${windows_tests_dir}/file_properties_test.cpp)
        target_link_libraries(test_windows PRIVATE version)
        target_compile_definitions(test_windows PRIVATE TIVRA_EXE="$<TARGET_FILE:tivra>"
            TIVRACTL_EXE="$<TARGET_FILE:tivractl>" TIVRA_COPYRIGHT="${TIVRA_COPYRIGHT}")
        add_dependencies(test_windows tivra tivractl)
    endif()
    set_target_properties(test_windows PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${windows_bin_dir})
    add_dependencies(test_windows siusbxp_stand_in siusbxp_by_name)
    gtest_discover_tests(test_windows DISCOVERY_TIMEOUT 60)

    if(TARGET tivractl)
        # tivractl over the real bridge: it finds the stand-in beside a copy of itself.
        add_custom_command(OUTPUT ${windows_bin_dir}/tivractl.exe
            COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:tivractl> ${windows_bin_dir}/tivractl.exe
            DEPENDS tivractl)
        add_custom_target(tivractl_beside_stand_in ALL DEPENDS ${windows_bin_dir}/tivractl.exe)
        # One device of the library by its number: its serial number listed, a number beyond its
        # devices a missing board.
        add_test(NAME StandInLibrary.OneDeviceByItsNumber
            COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} ${windows_bin_dir}/tivractl.exe ports
                --bridge device:0 WORKING_DIRECTORY ${windows_bin_dir})
        set_tests_properties(StandInLibrary.OneDeviceByItsNumber PROPERTIES PASS_REGULAR_EXPRESSION
            "^device:0  Quorvantel Ostrel  serial number QV-0001  <- LocalBoard\r?\n$")
        add_test(NAME StandInLibrary.NoSuchDeviceNumber
            COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} ${windows_bin_dir}/tivractl.exe read
                --bridge device:1 WORKING_DIRECTORY ${windows_bin_dir})
        set_tests_properties(StandInLibrary.NoSuchDeviceNumber PROPERTIES PASS_REGULAR_EXPRESSION
            "^No Local Board Found: Check USB cable and retry\r?\nNo Local Board Found")
        # Never from the current folder alone: ports lists nothing then, and fails for the reason
        # it gives.
        add_test(NAME StandInLibrary.PortsWithoutItFail
            COMMAND bash -c "\"$0\" \"$1\" ports; echo \"status $?\"" ${CMAKE_CROSSCOMPILING_EMULATOR}
                    $<TARGET_FILE:tivractl>
            WORKING_DIRECTORY ${windows_bin_dir})
        set_tests_properties(StandInLibrary.PortsWithoutItFail PROPERTIES ENVIRONMENT "TIVRA_BRIDGE="
            PASS_REGULAR_EXPRESSION
            "^tivractl ports: the bridge library \"SiUSBXp.dll\" could not be loaded from .*: not found; it must be the 64-bit [^\n]*\r?\nstatus 2\r?\n$")
        # tivractl in Windows' console.
        add_test(NAME TivractlInTheConsole
            COMMAND bash ${windows_tests_dir}/console_under_wine.sh ${CMAKE_CROSSCOMPILING_EMULATOR}
                    $<TARGET_FILE:tivractl> ${PROJECT_SOURCE_DIR}/examples/mixed-sensors.smc)
    endif()

    if(TARGET tivra)
        # The window under Wine on a virtual X screen, with the stand-in beside a copy of it.
        add_custom_command(OUTPUT ${windows_bin_dir}/tivra.exe
            COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:tivra> ${windows_bin_dir}/tivra.exe
            DEPENDS tivra)
        add_custom_target(tivra_beside_stand_in ALL DEPENDS ${windows_bin_dir}/tivra.exe)
        add_test(NAME WindowUnderWine
            COMMAND bash ${windows_tests_dir}/window_under_wine.sh ${CMAKE_CROSSCOMPILING_EMULATOR}
                    ${windows_bin_dir}/tivra.exe ${PROJECT_SOURCE_DIR}/examples/mixed-sensors.smc
                    --picture ${PROJECT_SOURCE_DIR}/help/pictures/windows-window.png)
        # One copy per Wine server: the tests that start the window take turns.
        set_tests_properties(WindowUnderWine PROPERTIES TIMEOUT 120 ENVIRONMENT "TIVRA_BRIDGE="
            RESOURCE_LOCK tivra_instance_guard)
        # tivractl.exe and the window through ser2net on the Linux side, in front of the native
        # build's simulated boards.
        if(NOT TIVRA_NATIVE_BUILD)
            message(FATAL_ERROR "The Windows tests need TIVRA_NATIVE_BUILD, a native build whose"
                " tivractl simulates the boards behind ser2net (scripts/test-windows sets it)")
        endif()
        add_test(NAME SerialDeviceServerUnderWine COMMAND Python3::Interpreter
            ${serial_device_server_test} ${TIVRA_NATIVE_BUILD}/tivractl
            ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:tivractl>
            --window bash ${windows_tests_dir}/window_under_wine.sh
                ${CMAKE_CROSSCOMPILING_EMULATOR} ${windows_bin_dir}/tivra.exe
                ${PROJECT_SOURCE_DIR}/examples/mixed-sensors.smc)
        set_tests_properties(SerialDeviceServerUnderWine PROPERTIES TIMEOUT 400
            RESOURCE_LOCK tivra_instance_guard)
    endif()
endif()
