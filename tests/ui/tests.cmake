# Tests of the configurator window (Qt, offscreen). Only with the GUI build.
if(TIVRA_BUILD_GUI AND TARGET tivra_window)
    # The main of every Qt test program: offscreen platform, private runtime folder.
    add_library(tivra_qt_test_main STATIC ${CMAKE_CURRENT_SOURCE_DIR}/ui/qt_test_main.cpp)
    target_link_libraries(tivra_qt_test_main PUBLIC Qt6::Widgets Qt6::Test GTest::gtest)
    if(WIN32 AND CMAKE_CROSSCOMPILING AND EXISTS /usr/share/fonts/truetype/liberation2)
        # Under Wine: the Linux fonts the Linux build measures with (Wine's drive Z: is /).
        target_compile_definitions(tivra_qt_test_main PRIVATE
            TIVRA_TEST_FONT_DIR="Z:/usr/share/fonts/truetype/liberation2")
    endif()

    file(GLOB ui_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/ui/*_test.cpp)
    drop_other_platform(ui_test_sources)
    add_executable(test_ui ${ui_test_sources})
    target_link_libraries(test_ui PRIVATE tivra_window tivra_test_support tivra_qt_test_main)
    gtest_discover_tests(test_ui DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "TIVRA_SOURCE_DIR=${PROJECT_SOURCE_DIR}" TIMEOUT 60)
    # The lists once more at one and a half times the scale, as a Windows desktop set to 150%.
    add_test(NAME MainWindowLayout.EveryDropDownShowsAllItsEntriesAtOneAndAHalfTimesTheScale
        COMMAND test_ui --gtest_filter=MainWindowLayout.EveryDropDownShowsAllItsEntriesWhenOpened)
    set_tests_properties(MainWindowLayout.EveryDropDownShowsAllItsEntriesAtOneAndAHalfTimesTheScale
        PROPERTIES ENVIRONMENT "TIVRA_TEST_SCALE=1.5" TIMEOUT 60)
endif()
