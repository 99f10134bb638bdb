# The window on a virtual X screen under a window manager: what the desktop shows of it. One
# run of one program; only with the GUI build and where the X client library is found.
if(TIVRA_BUILD_GUI AND NOT WIN32 AND NOT TARGET PkgConfig::XCB)
    tivra_test_needs(WindowOnDesktop "the X client library" libxcb1-dev)
elseif(TIVRA_BUILD_GUI AND NOT WIN32 AND TARGET tivra_shell AND TARGET tivra_qt_test_main)
    add_executable(test_desktop ${CMAKE_CURRENT_SOURCE_DIR}/desktop/window_on_desktop_test.cpp)
    target_link_libraries(test_desktop PRIVATE tivra_shell tivra_test_support tivra_qt_test_main
        PkgConfig::XCB)
    set(on_desktop ${CMAKE_CURRENT_SOURCE_DIR}/desktop/on_desktop.sh $<TARGET_FILE:test_desktop>)
    add_test(NAME WindowOnDesktop COMMAND ${on_desktop})
    add_test(NAME WindowOnDesktopAtTwiceTheScale COMMAND ${on_desktop} --gtest_filter=*AtTwice*)
    set_tests_properties(WindowOnDesktop WindowOnDesktopAtTwiceTheScale PROPERTIES TIMEOUT 60
        ENVIRONMENT "TIVRA_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
    set_property(TEST WindowOnDesktopAtTwiceTheScale APPEND PROPERTY ENVIRONMENT QT_SCALE_FACTOR=2)
endif()

# The window on Wayland without an X server (weston's headless backend), and what a screen reader
# reads of it through AT-SPI on the X screen.
find_program(TIVRA_WESTON weston)
if(TIVRA_BUILD_GUI AND TARGET tivra AND NOT WIN32 AND NOT TIVRA_WESTON)
    tivra_test_needs(WindowOnWayland weston weston)
elseif(TIVRA_BUILD_GUI AND TARGET tivra AND NOT WIN32)
    add_executable(test_wayland ${CMAKE_CURRENT_SOURCE_DIR}/desktop/window_on_wayland_test.cpp)
    target_link_libraries(test_wayland PRIVATE tivra_shell tivra_test_support Qt6::Test)
    add_test(NAME WindowOnWayland
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/desktop/on_wayland.sh $<TARGET_FILE:tivra>
                ${PROJECT_SOURCE_DIR}/examples/mixed-sensors.smc $<TARGET_FILE:test_wayland>)
    set_tests_properties(WindowOnWayland PROPERTIES TIMEOUT 60
        ENVIRONMENT "TIVRA_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endif()
find_program(TIVRA_DBUS_RUN_SESSION dbus-run-session)
if(TIVRA_BUILD_GUI AND TARGET tivra AND NOT WIN32 AND NOT TIVRA_DBUS_RUN_SESSION)
    tivra_test_needs(ScreenReader dbus-run-session dbus)
elseif(TIVRA_BUILD_GUI AND TARGET tivra AND NOT WIN32)
    # The real program on a virtual X screen with a session bus and the accessibility bus.
    add_test(NAME ScreenReader
        COMMAND ${TIVRA_DBUS_RUN_SESSION} -- ${CMAKE_CURRENT_SOURCE_DIR}/desktop/on_desktop.sh
                /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/desktop/screen_reader.py
                $<TARGET_FILE:tivra> ${PROJECT_SOURCE_DIR}/examples/mixed-sensors.smc)
    set_tests_properties(ScreenReader PROPERTIES TIMEOUT 60)
endif()
