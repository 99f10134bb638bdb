#include "link/recording_bridge.h"

#include <cstdio>

namespace tivra {

std::string hexBytes(const void* data, size_t count) {
    static const char digits[] = "0123456789ABCDEF";
    const auto* bytes = static_cast<const uint8_t*>(data);
    std::string out;
    out.reserve(count * 3);
    for (size_t i = 0; i < count; ++i) {
        if (i > 0) out += ' ';
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 0x0F];
    }
    return out;
}

int32_t RecordingBridge::note(std::string call, int32_t status) {
    if (status != 0) call += " -> " + std::to_string(status);
    if (onCall) onCall(call);
    calls.push_back(std::move(call));
    return status;
}

int32_t RecordingBridge::getNumDevices(uint32_t* count) {
    return note("getNumDevices", inner_.getNumDevices(count));
}

int32_t RecordingBridge::getProductString(uint32_t index, void* buffer, uint32_t kind) {
    return note("getProductString(" + std::to_string(index) + ", " + std::to_string(kind) + ")",
                inner_.getProductString(index, buffer, kind));
}

int32_t RecordingBridge::open(uint32_t index, DeviceHandle* handle) {
    return note("open(" + std::to_string(index) + ")", inner_.open(index, handle));
}

int32_t RecordingBridge::close(DeviceHandle handle) {
    return note("close", inner_.close(handle));
}

int32_t RecordingBridge::read(DeviceHandle handle, void* buffer, uint32_t bytesToRead,
                              uint32_t* bytesRead, void* overlapped) {
    return note("read(" + std::to_string(bytesToRead) + ")",
                inner_.read(handle, buffer, bytesToRead, bytesRead, overlapped));
}

int32_t RecordingBridge::write(DeviceHandle handle, const void* buffer, uint32_t bytesToWrite,
                               uint32_t* bytesWritten, void* overlapped) {
    return note("write(" + hexBytes(buffer, bytesToWrite) + ")",
                inner_.write(handle, buffer, bytesToWrite, bytesWritten, overlapped));
}

int32_t RecordingBridge::flushBuffers(DeviceHandle handle, uint8_t flushTransmit,
                                      uint8_t flushReceive) {
    return note(
        "flushBuffers(" + std::to_string(flushTransmit) + ", " + std::to_string(flushReceive) + ")",
        inner_.flushBuffers(handle, flushTransmit, flushReceive));
}

int32_t RecordingBridge::setTimeouts(uint32_t readTimeoutMs, uint32_t writeTimeoutMs) {
    return note("setTimeouts(" + std::to_string(readTimeoutMs) + ", " +
                    std::to_string(writeTimeoutMs) + ")",
                inner_.setTimeouts(readTimeoutMs, writeTimeoutMs));
}

int32_t RecordingBridge::checkRxQueue(DeviceHandle handle, uint32_t* bytesInQueue,
                                      uint32_t* queueStatus) {
    return note("checkRxQueue", inner_.checkRxQueue(handle, bytesInQueue, queueStatus));
}

int32_t RecordingBridge::setBaudRate(DeviceHandle handle, uint32_t baudRate) {
    return note("setBaudRate(" + std::to_string(baudRate) + ")",
                inner_.setBaudRate(handle, baudRate));
}

int32_t RecordingBridge::setLineControl(DeviceHandle handle, uint16_t lineControl) {
    char word[8];
    std::snprintf(word, sizeof word, "0x%04X", static_cast<unsigned>(lineControl));
    return note(std::string("setLineControl(") + word + ")",
                inner_.setLineControl(handle, lineControl));
}

}  // namespace tivra
