# Cross build for 64-bit Windows with Debian's MinGW-w64, tests run under Wine:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# With the window, Qt's own toolchain file chain-loads this one (scripts/test-windows).
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-compilers.cmake)

# Static runtime: the programs then need no compiler DLLs beside them (the Qt DLLs bring their own).
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)

# ctest (and test discovery) run the .exe files through Wine.
find_program(TIVRA_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TIVRA_WINE})

# List the tests when ctest runs (inside the stage's Wine server), not at build time.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
