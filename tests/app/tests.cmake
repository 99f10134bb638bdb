# Tests of the application shell: start-up, dispatch, menus, file and board commands through the
# window, the splash, and the real program as separate processes. Only with the GUI build.
if(TIVRA_BUILD_GUI AND TARGET tivra_shell AND TARGET tivra_qt_test_main)
    file(GLOB app_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/app/*.cpp)
    add_executable(test_app ${app_test_sources})
    target_link_libraries(test_app PRIVATE tivra_shell tivra_test_support tivra_qt_test_main)
    # The program itself, for the tests that start it as a process of its own.
    target_compile_definitions(test_app PRIVATE TIVRA_PROGRAM="$<TARGET_FILE:tivra>")
    add_dependencies(test_app tivra)
    if(WIN32)
        # Help's viewer: a stand-in library that notes what it is asked to show.
        add_library(help_viewer_stand_in SHARED ${CMAKE_CURRENT_SOURCE_DIR}/windows/help_viewer_stand_in.cpp)
        set_target_properties(help_viewer_stand_in PROPERTIES PREFIX "")
        target_compile_definitions(test_app PRIVATE
            TIVRA_HELP_VIEWER_STAND_IN="$<TARGET_FILE:help_viewer_stand_in>")
        add_dependencies(test_app help_viewer_stand_in)
        # The guard is one name per Wine server: the programs that take it take turns.
        set(guard_lock RESOURCE_LOCK tivra_instance_guard)
    endif()
    gtest_discover_tests(test_app DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "TIVRA_SOURCE_DIR=${PROJECT_SOURCE_DIR}" TIMEOUT 60 ${guard_lock})
endif()
