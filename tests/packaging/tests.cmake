# The installed product: cmake --install into an empty folder, checked by the desktop's
# validators (desktop-file-utils, appstream, libxml2-utils, groff, shared-mime-info).
if(TARGET tivra AND NOT WIN32)
    add_test(NAME install_tree COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/packaging/install_test.sh
        ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR} ${TIVRA_APP_ID} ${PROJECT_VERSION})
    set_tests_properties(install_tree PROPERTIES TIMEOUT 300
        ENVIRONMENT "TIVRA_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endif()

# The shell completions, driven as each shell drives them (bash, zsh, fish).
if(TARGET tivractl AND NOT WIN32)
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    set(completions ${PROJECT_SOURCE_DIR}/packaging/tivractl)
    add_test(NAME shell_completion COMMAND Python3::Interpreter
        ${CMAKE_CURRENT_SOURCE_DIR}/packaging/completion_test.py $<TARGET_FILE:tivractl>
        ${completions}.bash-completion ${completions}.zsh-completion ${completions}.fish-completion)
    set_tests_properties(shell_completion PROPERTIES TIMEOUT 180)
endif()
