#include "link/bridges/one_device.h"

namespace tivra {

namespace {
constexpr int32_t NO_SUCH_DEVICE = 0xFF;
}

OneDeviceBridge::OneDeviceBridge(std::unique_ptr<UsbBridge> library, uint32_t device)
    : library_(std::move(library)), device_(device) {}

int32_t OneDeviceBridge::getNumDevices(uint32_t* count) {
    uint32_t all = 0;
    const int32_t status = library_->getNumDevices(&all);
    *count = status == 0 && device_ < all ? 1 : 0;
    return status;
}

int32_t OneDeviceBridge::getProductString(uint32_t index, void* buffer, uint32_t kind) {
    return index == 0 ? library_->getProductString(device_, buffer, kind) : NO_SUCH_DEVICE;
}

int32_t OneDeviceBridge::open(uint32_t index, DeviceHandle* handle) {
    return index == 0 ? library_->open(device_, handle) : NO_SUCH_DEVICE;
}

int32_t OneDeviceBridge::close(DeviceHandle handle) {
    return library_->close(handle);
}

int32_t OneDeviceBridge::read(DeviceHandle handle, void* buffer, uint32_t bytesToRead,
                              uint32_t* bytesRead, void* overlapped) {
    return library_->read(handle, buffer, bytesToRead, bytesRead, overlapped);
}

int32_t OneDeviceBridge::write(DeviceHandle handle, const void* buffer, uint32_t bytesToWrite,
                               uint32_t* bytesWritten, void* overlapped) {
    return library_->write(handle, buffer, bytesToWrite, bytesWritten, overlapped);
}

int32_t OneDeviceBridge::flushBuffers(DeviceHandle handle, uint8_t flushTransmit,
                                      uint8_t flushReceive) {
    return library_->flushBuffers(handle, flushTransmit, flushReceive);
}

int32_t OneDeviceBridge::setTimeouts(uint32_t readTimeoutMs, uint32_t writeTimeoutMs) {
    return library_->setTimeouts(readTimeoutMs, writeTimeoutMs);
}

int32_t OneDeviceBridge::checkRxQueue(DeviceHandle handle, uint32_t* bytesInQueue,
                                      uint32_t* queueStatus) {
    return library_->checkRxQueue(handle, bytesInQueue, queueStatus);
}

int32_t OneDeviceBridge::setBaudRate(DeviceHandle handle, uint32_t baudRate) {
    return library_->setBaudRate(handle, baudRate);
}

int32_t OneDeviceBridge::setLineControl(DeviceHandle handle, uint16_t lineControl) {
    return library_->setLineControl(handle, lineControl);
}

}  // namespace tivra
