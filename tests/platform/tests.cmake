# The shell's plain C++ platform pieces: guard, help launcher, program folder (Linux and Windows).
if(TARGET tivra_platform)
    set(platform_tests_dir ${CMAKE_CURRENT_SOURCE_DIR}/platform)
    set(platform_bin_dir ${CMAKE_CURRENT_BINARY_DIR}/platform)

    # A second program that holds the guard; the tests find it beside themselves.
    add_executable(guard_holder ${platform_tests_dir}/guard_holder.cpp)
    target_link_libraries(guard_holder PRIVATE tivra_platform)

    add_executable(test_platform
        ${platform_tests_dir}/instance_guard_test.cpp
        ${platform_tests_dir}/help_launcher_test.cpp
        ${platform_tests_dir}/program_folder_test.cpp
        ${platform_tests_dir}/child_process.cpp)
    target_link_libraries(test_platform PRIVATE tivra_platform GTest::gtest_main)
    target_include_directories(test_platform PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    add_dependencies(test_platform guard_holder)
    set_target_properties(test_platform guard_holder PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY ${platform_bin_dir})

    # The Windows guard is one name per Wine server (or per session): its tests take turns.
    gtest_discover_tests(test_platform DISCOVERY_TIMEOUT 60
        PROPERTIES RESOURCE_LOCK tivra_instance_guard)
endif()
