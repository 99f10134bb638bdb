#pragma once
// The LocalBoard's own bridge library on Windows, "SiUSBXp.dll", loaded at run time. Every
// operation is bound by its ordinal alone: the library's export names are not relied upon.
// When the library is missing, or any of the eleven ordinals is not exported, nothing is bound
// and the bridge reads as no device attached: getNumDevices gives a count of 0 with a non-zero
// status, every other operation a non-zero status.

#include <memory>
#include <string>

#include "link/usb_bridge.h"

namespace tivra {

inline constexpr const char* SIUSBXP_LIBRARY = "SiUSBXp.dll";
// The status of every operation while the library is not bound.
constexpr int32_t SIUSBXP_NOT_BOUND_STATUS = 0xFF;

class SiUsbXpBridge final : public UsbBridge {
  public:
    // library: a bare file name, looked for in the program's folder and then the system folder
    // (never the current folder or PATH), or a path.
    explicit SiUsbXpBridge(const std::string& library = SIUSBXP_LIBRARY);
    SiUsbXpBridge(const SiUsbXpBridge&) = delete;
    SiUsbXpBridge& operator=(const SiUsbXpBridge&) = delete;
    ~SiUsbXpBridge() override;

    // All eleven operations were found.
    bool bound() const;
    // Why not, for people: where the library was looked for and what went wrong ("" when bound).
    const std::string& problem() const { return problem_; }

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
    struct Entries;
    void* library_ = nullptr;
    std::unique_ptr<Entries> entries_;  // null while not bound
    std::string problem_;
};

// The platform's bridge on Windows; note is told why the library could not be used.
std::unique_ptr<UsbBridge> makeSiUsbXpBridge(const OpenFailureNote& note = {});

}  // namespace tivra
