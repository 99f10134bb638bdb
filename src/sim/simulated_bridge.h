#pragma once
// The bridge library played in process over a simulated board pair, with the bridge-level
// faults of sim::SimSettings (devices, failing calls, short writes).
//
// Behaviour, per operation:
//   getNumDevices     the number of settings.devices
//   getProductString  kind 1: the device's description, NUL-terminated when shorter than 100
//                     bytes, else its first 100 bytes; any other kind or index fails
//   open/close        one opener per device; the handle is private to the device
//   setBaudRate,      remembered; the boards understand the line only at 57600 baud with
//   setLineControl    0x0801, otherwise what is written is lost
//   flushBuffers      receive: drops the bytes waiting for the PC; transmit: nothing waits
//   write             hands the bytes to the boards (all at once)
//   checkRxQueue      counts one check at the boards, then the bytes waiting; status
//                     settings.queueStatus (2) when any wait, 0 when none
//   read              takes what is waiting, up to the number asked; fewer is a time-out
//                     (settings.shortReadOccurrence cuts one read short by a byte)
// Up to 64 devices can be listed and opened.
// Every operation first checks settings.failingCalls and fails with status 0xFF when told to.

#include <array>
#include <memory>

#include "link/usb_bridge.h"
#include "sim/board_pair.h"

namespace tivra {

constexpr int32_t SIM_FAILURE_STATUS = 0xFF;

class SimulatedBridge final : public UsbBridge {
  public:
    SimulatedBridge();                                 // with a board pair of its own
    explicit SimulatedBridge(sim::BoardPair& boards);  // over a pair the caller keeps

    sim::BoardPair& boards() { return *boards_; }
    sim::SimSettings& settings() { return boards_->settings; }
    // How many times each operation has been called, by ordinal.
    uint32_t callCount(BridgeCall call) const { return counts_[static_cast<size_t>(call)]; }
    uint32_t readTimeoutMs() const { return readTimeoutMs_; }
    uint32_t writeTimeoutMs() const { return writeTimeoutMs_; }

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
    struct OpenDevice {
        bool open = false;
        uint32_t baudRate = 0;
        uint16_t lineControl = 0;
    };

    // Counts the call; true when settings say this call fails.
    bool failing(BridgeCall call);
    // The open device behind a handle, or nullptr.
    OpenDevice* device(DeviceHandle handle, uint32_t* index = nullptr);
    // The boards hear the line only from the device they sit behind, set up as they expect.
    bool reachesBoards(DeviceHandle handle);

    std::unique_ptr<sim::BoardPair> owned_;
    sim::BoardPair* boards_;
    std::array<uint32_t, 16> counts_{};
    std::array<OpenDevice, 64> devices_{};
    uint32_t readTimeoutMs_ = 0;
    uint32_t writeTimeoutMs_ = 0;
};

}  // namespace tivra
