# Plain C++ pieces of the application shell (no Qt), so the Windows build can test them too:
# the single-instance guard, the help launcher, the program's own folder and the choice of display.
add_library(tivra_platform STATIC
    ${CMAKE_CURRENT_LIST_DIR}/instance_guard.cpp
    ${CMAKE_CURRENT_LIST_DIR}/help_launcher.cpp
    ${CMAKE_CURRENT_LIST_DIR}/program_folder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display_choice.cpp)
target_include_directories(tivra_platform PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(tivra_platform PUBLIC tivra_core)  # files/native_path
# Where an installed tivra finds its manual, from its own folder (../share/doc/tivra/manual/).
file(RELATIVE_PATH manual_from_program ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DOCDIR}/manual)
target_compile_definitions(tivra_platform PRIVATE TIVRA_MANUAL_FOLDER="${manual_from_program}/")
