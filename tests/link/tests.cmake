# tivractl through a real serial device server (ser2net) in front of the simulated boards' line.
# Under Wine the Windows tivractl and window take their turn (tests/windows/tests.cmake), with the
# simulated boards of the native build.
set(serial_device_server_test ${CMAKE_CURRENT_SOURCE_DIR}/link/serial_device_server_test.py)
if(TARGET tivractl AND NOT WIN32)
    add_test(NAME SerialDeviceServer COMMAND Python3::Interpreter ${serial_device_server_test}
        $<TARGET_FILE:tivractl> $<TARGET_FILE:tivractl>)
    set_tests_properties(SerialDeviceServer PROPERTIES TIMEOUT 180)
endif()
