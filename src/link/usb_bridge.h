#pragma once
// The USB-to-serial bridge library as the board link uses it: exactly these eleven operations.
// Each returns 0 for success and anything else for failure. The comments give each operation's
// ordinal in the Windows library.

#include <cstdint>
#include <functional>
#include <string>

#include "config/program_state.h"

namespace tivra {

// Told why a bridge could not reach a device it names ("/dev/pts/3: in use by another program",
// "10.0.0.5:2001: connection refused"): discovery shows only its own box for that, a command
// line can say more.
using OpenFailureNote = std::function<void(const std::string& why)>;

constexpr uint32_t PRODUCT_STRING_SIZE = 100;
constexpr uint32_t PRODUCT_DESCRIPTION = 1;
// The product string of this kind is the device's USB serial number.
constexpr uint32_t PRODUCT_SERIAL_NUMBER = 0;

class UsbBridge {
  public:
    virtual ~UsbBridge() = default;

    virtual int32_t getNumDevices(uint32_t* count) = 0;                                 // 1
    virtual int32_t getProductString(uint32_t index, void* buffer, uint32_t kind) = 0;  // 2
    virtual int32_t open(uint32_t index, DeviceHandle* handle) = 0;                     // 3
    virtual int32_t close(DeviceHandle handle) = 0;                                     // 4
    virtual int32_t read(DeviceHandle handle, void* buffer, uint32_t bytesToRead,
                         uint32_t* bytesRead, void* overlapped) = 0;  // 6
    virtual int32_t write(DeviceHandle handle, const void* buffer, uint32_t bytesToWrite,
                          uint32_t* bytesWritten, void* overlapped) = 0;  // 7
    virtual int32_t flushBuffers(DeviceHandle handle, uint8_t flushTransmit,
                                 uint8_t flushReceive) = 0;                            // 9
    virtual int32_t setTimeouts(uint32_t readTimeoutMs, uint32_t writeTimeoutMs) = 0;  // 10
    virtual int32_t checkRxQueue(DeviceHandle handle, uint32_t* bytesInQueue,
                                 uint32_t* queueStatus) = 0;                        // 12
    virtual int32_t setBaudRate(DeviceHandle handle, uint32_t baudRate) = 0;        // 13
    virtual int32_t setLineControl(DeviceHandle handle, uint16_t lineControl) = 0;  // 15
};

}  // namespace tivra
