# The window on a virtual X screen under a window manager: what the desktop shows of it. One
# run of one program; only with the GUI build and where the X client library is found.
if(TIVRA_BUILD_GUI AND TARGET tivra_shell AND TARGET tivra_qt_test_main AND TARGET PkgConfig::XCB)
    add_executable(test_desktop ${CMAKE_CURRENT_SOURCE_DIR}/desktop/window_on_desktop_test.cpp)
    target_include_directories(test_desktop PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(test_desktop PRIVATE tivra_shell tivra_test_support tivra_qt_test_main
        PkgConfig::XCB)
    add_test(NAME WindowOnDesktop
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/desktop/on_desktop.sh $<TARGET_FILE:test_desktop>)
    set_tests_properties(WindowOnDesktop PROPERTIES TIMEOUT 60
        ENVIRONMENT "TIVRA_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endif()
