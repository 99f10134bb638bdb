# Bridges: the network bridge everywhere, libserialport on POSIX, the Windows library on Windows
# (each platform's half of the sockets the network bridge uses). The simulated one is sim's.
set(bridge_dir ${CMAKE_CURRENT_LIST_DIR})
target_sources(tivra_core PRIVATE ${bridge_dir}/network.cpp ${bridge_dir}/telnet_stream.cpp
    ${bridge_dir}/one_device.cpp)
if(WIN32)
    target_sources(tivra_core PRIVATE ${bridge_dir}/siusbxp.cpp ${bridge_dir}/socket_windows.cpp)
    target_link_libraries(tivra_core PUBLIC ws2_32)
else()
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(SERIALPORT REQUIRED IMPORTED_TARGET libserialport)
    target_link_libraries(tivra_core PUBLIC PkgConfig::SERIALPORT)
    target_sources(tivra_core PRIVATE ${bridge_dir}/serial.cpp ${bridge_dir}/socket_posix.cpp)
endif()
