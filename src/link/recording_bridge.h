#pragma once
// A UsbBridge that passes every call on to another bridge and writes down what was asked, in
// order, so tests and `tivractl --trace` can see the exact dialogue with the library.

#include <functional>
#include <string>
#include <vector>

#include "link/usb_bridge.h"

namespace tivra {

class RecordingBridge final : public UsbBridge {
  public:
    explicit RecordingBridge(UsbBridge& inner) : inner_(inner) {}

    // One line per call, e.g. "getNumDevices", "getProductString(0, 1)", "open(0)",
    // "setBaudRate(57600)", "setLineControl(0x0801)", "flushBuffers(1, 1)",
    // "setTimeouts(4096, 4096)", "write(00 05 55 AA 00)", "checkRxQueue", "read(3)", "close".
    // A failed call (non-zero status) ends in " -> N".
    std::vector<std::string> calls;
    // Called with each line as it is recorded, when set.
    std::function<void(const std::string&)> onCall;

    int32_t getNumDevices(uint32_t* count) override;
    int32_t getProductString(uint32_t index, void* buffer, uint32_t kind) override;
    int32_t open(uint32_t index, DeviceHandle* handle) override;
    int32_t close(DeviceHandle handle) override;
    int32_t read(DeviceHandle handle, void* buffer, uint32_t bytesToRead, uint32_t* bytesRead,
                 void* overlapped) override;
    int32_t write(DeviceHandle handle, const void* buffer, uint32_t bytesToWrite,
                  uint32_t* bytesWritten, void* overlapped) override;
    int32_t flushBuffers(DeviceHandle handle, uint8_t flushTransmit, uint8_t flushReceive) override;
    int32_t setTimeouts(uint32_t readTimeoutMs, uint32_t writeTimeoutMs) override;
    int32_t checkRxQueue(DeviceHandle handle, uint32_t* bytesInQueue,
                         uint32_t* queueStatus) override;
    int32_t setBaudRate(DeviceHandle handle, uint32_t baudRate) override;
    int32_t setLineControl(DeviceHandle handle, uint16_t lineControl) override;

  private:
    int32_t note(std::string call, int32_t status);

    UsbBridge& inner_;
};

// Bytes as upper-case hex pairs separated by blanks: "00 05 55 AA 00".
std::string hexBytes(const void* data, size_t count);

}  // namespace tivra
