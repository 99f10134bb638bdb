#include "sim/simulated_bridge.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tivra {

namespace {

constexpr uint32_t BOARD_BAUD_RATE = 57600;
constexpr uint16_t BOARD_LINE_CONTROL = 0x0801;
constexpr uint32_t QUEUE_EMPTY = 0;

// Handles are small numbers dressed as pointers: device i has handle i + 1.
DeviceHandle handleOf(uint32_t index) {
    return reinterpret_cast<DeviceHandle>(static_cast<uintptr_t>(index) + 1);
}

}  // namespace

SimulatedBridge::SimulatedBridge()
    : owned_(std::make_unique<sim::BoardPair>()), boards_(owned_.get()) {}

SimulatedBridge::SimulatedBridge(sim::BoardPair& boards) : boards_(&boards) {}

bool SimulatedBridge::failing(BridgeCall call) {
    const uint32_t n = ++counts_[static_cast<size_t>(call)];
    return std::any_of(settings().failingCalls.begin(), settings().failingCalls.end(),
                       [&](const sim::CallFault& f) {
                           return f.call == call && (f.occurrence == 0 || f.occurrence == n);
                       });
}

SimulatedBridge::OpenDevice* SimulatedBridge::device(DeviceHandle handle, uint32_t* index) {
    const auto value = reinterpret_cast<uintptr_t>(handle);
    if (value == 0 || value > devices_.size() || value > settings().devices.size()) return nullptr;
    OpenDevice& d = devices_[value - 1];
    if (!d.open) return nullptr;
    if (index) *index = static_cast<uint32_t>(value - 1);
    return &d;
}

bool SimulatedBridge::reachesBoards(DeviceHandle handle) {
    uint32_t index = 0;
    const OpenDevice* d = device(handle, &index);
    return d && settings().devices[index].hasBoards && d->baudRate == BOARD_BAUD_RATE &&
           d->lineControl == BOARD_LINE_CONTROL;
}

int32_t SimulatedBridge::getNumDevices(uint32_t* count) {
    if (failing(BridgeCall::GetNumDevices)) return SIM_FAILURE_STATUS;
    *count = static_cast<uint32_t>(settings().devices.size());
    return 0;
}

int32_t SimulatedBridge::getProductString(uint32_t index, void* buffer, uint32_t kind) {
    if (failing(BridgeCall::GetProductString)) return SIM_FAILURE_STATUS;
    if (index >= settings().devices.size() ||
        (kind != PRODUCT_DESCRIPTION && kind != PRODUCT_SERIAL_NUMBER))
        return SIM_FAILURE_STATUS;
    const sim::SimDevice& device = settings().devices[index];
    const std::string& text =
        kind == PRODUCT_DESCRIPTION ? device.description : device.serialNumber;
    const size_t n = std::min<size_t>(text.size(), PRODUCT_STRING_SIZE);
    std::memcpy(buffer, text.data(), n);
    if (n < PRODUCT_STRING_SIZE) static_cast<char*>(buffer)[n] = '\0';
    return 0;
}

int32_t SimulatedBridge::open(uint32_t index, DeviceHandle* handle) {
    if (failing(BridgeCall::Open)) return SIM_FAILURE_STATUS;
    if (index >= settings().devices.size() || index >= devices_.size() || devices_[index].open)
        return SIM_FAILURE_STATUS;
    devices_[index] = OpenDevice{true, 0, 0};
    *handle = handleOf(index);
    return 0;
}

int32_t SimulatedBridge::close(DeviceHandle handle) {
    if (failing(BridgeCall::Close)) return SIM_FAILURE_STATUS;
    OpenDevice* d = device(handle);
    if (!d) return SIM_FAILURE_STATUS;
    d->open = false;
    return 0;
}

int32_t SimulatedBridge::read(DeviceHandle handle, void* buffer, uint32_t bytesToRead,
                              uint32_t* bytesRead, void*) {
    if (failing(BridgeCall::Read)) return SIM_FAILURE_STATUS;
    if (!device(handle)) return SIM_FAILURE_STATUS;
    uint32_t wanted = bytesToRead;
    if (callCount(BridgeCall::Read) == settings().shortReadOccurrence && wanted > 0) --wanted;
    *bytesRead = reachesBoards(handle)
                     ? static_cast<uint32_t>(boards_->take(static_cast<uint8_t*>(buffer), wanted))
                     : 0;
    return 0;
}

int32_t SimulatedBridge::write(DeviceHandle handle, const void* buffer, uint32_t bytesToWrite,
                               uint32_t* bytesWritten, void*) {
    if (failing(BridgeCall::Write)) return SIM_FAILURE_STATUS;
    if (!device(handle)) return SIM_FAILURE_STATUS;
    if (settings().shortWrite && bytesToWrite > 0) {
        // The bridge gave up part-way; the boards drop the cut frame.
        *bytesWritten = bytesToWrite - 1;
        return 0;
    }
    if (reachesBoards(handle)) boards_->receive(static_cast<const uint8_t*>(buffer), bytesToWrite);
    *bytesWritten = bytesToWrite;
    return 0;
}

int32_t SimulatedBridge::flushBuffers(DeviceHandle handle, uint8_t, uint8_t flushReceive) {
    if (failing(BridgeCall::FlushBuffers)) return SIM_FAILURE_STATUS;
    if (!device(handle)) return SIM_FAILURE_STATUS;
    if (flushReceive && reachesBoards(handle)) boards_->flushHostQueue();
    return 0;
}

int32_t SimulatedBridge::setTimeouts(uint32_t readTimeoutMs, uint32_t writeTimeoutMs) {
    if (failing(BridgeCall::SetTimeouts)) return SIM_FAILURE_STATUS;
    readTimeoutMs_ = readTimeoutMs;
    writeTimeoutMs_ = writeTimeoutMs;
    return 0;
}

int32_t SimulatedBridge::checkRxQueue(DeviceHandle handle, uint32_t* bytesInQueue,
                                      uint32_t* queueStatus) {
    if (failing(BridgeCall::CheckRxQueue)) return SIM_FAILURE_STATUS;
    if (!device(handle)) return SIM_FAILURE_STATUS;
    uint32_t waiting = 0;
    if (reachesBoards(handle)) {
        boards_->noteQueueCheck();
        waiting = static_cast<uint32_t>(boards_->waiting());
    }
    *bytesInQueue = waiting;
    *queueStatus = waiting > 0 ? settings().queueStatus : QUEUE_EMPTY;
    return 0;
}

int32_t SimulatedBridge::setBaudRate(DeviceHandle handle, uint32_t baudRate) {
    if (failing(BridgeCall::SetBaudRate)) return SIM_FAILURE_STATUS;
    OpenDevice* d = device(handle);
    if (!d) return SIM_FAILURE_STATUS;
    d->baudRate = baudRate;
    return 0;
}

int32_t SimulatedBridge::setLineControl(DeviceHandle handle, uint16_t lineControl) {
    if (failing(BridgeCall::SetLineControl)) return SIM_FAILURE_STATUS;
    OpenDevice* d = device(handle);
    if (!d) return SIM_FAILURE_STATUS;
    d->lineControl = lineControl;
    return 0;
}

}  // namespace tivra
