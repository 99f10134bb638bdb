# The shell's plain C++ platform pieces: guard, help launcher, program folder (Linux and Windows).
if(TARGET tivra_platform)
    file(GLOB platform_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/platform/*.cpp)
    add_executable(test_platform ${platform_test_sources})
    target_link_libraries(test_platform PRIVATE tivra_platform GTest::gtest_main)
    target_include_directories(test_platform PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    set_target_properties(test_platform PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/platform)

    # The Windows guard is one name per Wine server (or per session): its tests take turns.
    gtest_discover_tests(test_platform DISCOVERY_TIMEOUT 60
        PROPERTIES RESOURCE_LOCK tivra_instance_guard)
endif()
