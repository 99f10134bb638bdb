#pragma once
// One device of a bridge library, as a bridge of its own: device N of the library appears as its
// only device 0, so that discovery looks at it (its product string) as at any device and takes
// nothing else. tivractl --bridge device:N on Windows, where several units hang on one PC.

#include <memory>

#include "link/usb_bridge.h"

namespace tivra {

class OneDeviceBridge final : public UsbBridge {
  public:
    OneDeviceBridge(std::unique_ptr<UsbBridge> library, uint32_t device);

    // None when the library has fewer devices.
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
    std::unique_ptr<UsbBridge> library_;
    uint32_t device_;
};

}  // namespace tivra
