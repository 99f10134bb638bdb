# Plain C++ pieces of the application shell (no Qt), so the Windows build can test them too:
# the single-instance guard, the help launcher, the program's own folder and the choice of display.
# Each with its platform halves (*_posix.cpp, *_windows.cpp).
file(GLOB platform_sources CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_LIST_DIR}/instance_guard*.cpp
    ${CMAKE_CURRENT_LIST_DIR}/help_launcher_*.cpp
    ${CMAKE_CURRENT_LIST_DIR}/program_folder*.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display_choice.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_argument.cpp)
drop_other_platform(platform_sources)
add_library(tivra_platform STATIC ${platform_sources})
target_include_directories(tivra_platform PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(tivra_platform PUBLIC tivra_core)  # files/native_path
# Where an installed tivra finds its manual, from its own folder (../share/doc/tivra/manual/).
file(RELATIVE_PATH manual_from_program ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DOCDIR}/manual)
target_compile_definitions(tivra_platform PRIVATE TIVRA_MANUAL_FOLDER="${manual_from_program}/")
