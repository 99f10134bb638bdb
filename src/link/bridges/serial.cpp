#include "link/bridges/serial.h"

#include <libserialport.h>

#include <algorithm>
#include <cstring>

namespace tivra {

namespace {

constexpr uint32_t QUEUE_EMPTY = 0;
constexpr uint32_t QUEUE_READY = 2;
constexpr int32_t FAILURE_STATUS = 0xFF;

sp_port* portOf(DeviceHandle handle) {
    return static_cast<sp_port*>(handle);
}

// libserialport's errors are negative; the bridge's statuses are positive.
int32_t status(sp_return result) {
    return result >= 0 ? 0 : -static_cast<int32_t>(result);
}

}  // namespace

std::vector<SerialPortEntry> listUsbSerialPorts() {
    std::vector<SerialPortEntry> found;
    sp_port** list = nullptr;
    if (sp_list_ports(&list) != SP_OK) return found;
    for (sp_port** p = list; *p; ++p) {
        if (sp_get_port_transport(*p) != SP_TRANSPORT_USB) continue;
        const char* product = sp_get_port_usb_product(*p);
        found.push_back({sp_get_port_name(*p), product ? product : ""});
    }
    sp_free_port_list(list);
    std::sort(found.begin(), found.end(),
              [](const SerialPortEntry& a, const SerialPortEntry& b) { return a.path < b.path; });
    return found;
}

SerialBridge::SerialBridge() : listsUsbPorts_(true) {}

SerialBridge::SerialBridge(std::vector<SerialPortEntry> ports)
    : listsUsbPorts_(false), ports_(std::move(ports)), listed_(true) {}

SerialBridge::~SerialBridge() {
    for (DeviceHandle handle : open_) {
        sp_close(portOf(handle));
        sp_free_port(portOf(handle));
    }
}

bool SerialBridge::known(DeviceHandle handle) const {
    return handle && std::find(open_.begin(), open_.end(), handle) != open_.end();
}

int32_t SerialBridge::getNumDevices(uint32_t* count) {
    if (listsUsbPorts_) {
        ports_ = listUsbSerialPorts();
        listed_ = true;
    }
    *count = static_cast<uint32_t>(ports_.size());
    return 0;
}

int32_t SerialBridge::getProductString(uint32_t index, void* buffer, uint32_t kind) {
    if (!listed_) {
        uint32_t ignored = 0;
        getNumDevices(&ignored);
    }
    if (index >= ports_.size() || kind != PRODUCT_DESCRIPTION) return FAILURE_STATUS;
    const std::string& text = ports_[index].description;
    const size_t n = std::min<size_t>(text.size(), PRODUCT_STRING_SIZE);
    std::memcpy(buffer, text.data(), n);
    if (n < PRODUCT_STRING_SIZE) static_cast<char*>(buffer)[n] = '\0';
    return 0;
}

int32_t SerialBridge::open(uint32_t index, DeviceHandle* handle) {
    if (!listed_) {
        uint32_t ignored = 0;
        getNumDevices(&ignored);
    }
    if (index >= ports_.size()) return FAILURE_STATUS;
    sp_port* port = nullptr;
    sp_return result = sp_get_port_by_name(ports_[index].path.c_str(), &port);
    if (result != SP_OK) return status(result);
    result = sp_open(port, SP_MODE_READ_WRITE);
    if (result != SP_OK) {
        sp_free_port(port);
        return status(result);
    }
    open_.push_back(port);
    *handle = port;
    return 0;
}

int32_t SerialBridge::close(DeviceHandle handle) {
    if (!known(handle)) return FAILURE_STATUS;
    open_.erase(std::find(open_.begin(), open_.end(), handle));
    const sp_return result = sp_close(portOf(handle));
    sp_free_port(portOf(handle));
    return status(result);
}

int32_t SerialBridge::read(DeviceHandle handle, void* buffer, uint32_t bytesToRead,
                           uint32_t* bytesRead, void*) {
    if (!known(handle)) return FAILURE_STATUS;
    const sp_return result =
        readTimeoutMs_ == 0 ? sp_nonblocking_read(portOf(handle), buffer, bytesToRead)
                            : sp_blocking_read(portOf(handle), buffer, bytesToRead, readTimeoutMs_);
    if (result < 0) return status(result);
    *bytesRead = static_cast<uint32_t>(result);
    return 0;
}

int32_t SerialBridge::write(DeviceHandle handle, const void* buffer, uint32_t bytesToWrite,
                            uint32_t* bytesWritten, void*) {
    if (!known(handle)) return FAILURE_STATUS;
    const sp_return result =
        writeTimeoutMs_ == 0
            ? sp_nonblocking_write(portOf(handle), buffer, bytesToWrite)
            : sp_blocking_write(portOf(handle), buffer, bytesToWrite, writeTimeoutMs_);
    if (result < 0) return status(result);
    *bytesWritten = static_cast<uint32_t>(result);
    return 0;
}

int32_t SerialBridge::flushBuffers(DeviceHandle handle, uint8_t flushTransmit,
                                   uint8_t flushReceive) {
    if (!known(handle)) return FAILURE_STATUS;
    if (flushTransmit && flushReceive) return status(sp_flush(portOf(handle), SP_BUF_BOTH));
    if (flushTransmit) return status(sp_flush(portOf(handle), SP_BUF_OUTPUT));
    if (flushReceive) return status(sp_flush(portOf(handle), SP_BUF_INPUT));
    return 0;
}

int32_t SerialBridge::setTimeouts(uint32_t readTimeoutMs, uint32_t writeTimeoutMs) {
    readTimeoutMs_ = readTimeoutMs;
    writeTimeoutMs_ = writeTimeoutMs;
    return 0;
}

int32_t SerialBridge::checkRxQueue(DeviceHandle handle, uint32_t* bytesInQueue,
                                   uint32_t* queueStatus) {
    if (!known(handle)) return FAILURE_STATUS;
    const sp_return result = sp_input_waiting(portOf(handle));
    if (result < 0) return status(result);
    *bytesInQueue = static_cast<uint32_t>(result);
    *queueStatus = result > 0 ? QUEUE_READY : QUEUE_EMPTY;
    return 0;
}

int32_t SerialBridge::setBaudRate(DeviceHandle handle, uint32_t baudRate) {
    if (!known(handle)) return FAILURE_STATUS;
    return status(sp_set_baudrate(portOf(handle), static_cast<int>(baudRate)));
}

int32_t SerialBridge::setLineControl(DeviceHandle handle, uint16_t lineControl) {
    if (!known(handle)) return FAILURE_STATUS;
    const int bits = lineControl >> 8;
    const int parityCode = (lineControl >> 4) & 0x0F;
    const int stopBits = lineControl & 0x0F;
    static constexpr sp_parity PARITIES[] = {SP_PARITY_NONE, SP_PARITY_ODD, SP_PARITY_EVEN,
                                             SP_PARITY_MARK, SP_PARITY_SPACE};
    if (bits < 5 || bits > 8 || parityCode > 4 || stopBits < 1 || stopBits > 2)
        return FAILURE_STATUS;
    sp_port* port = portOf(handle);
    sp_return result = sp_set_bits(port, bits);
    if (result == SP_OK) result = sp_set_parity(port, PARITIES[parityCode]);
    if (result == SP_OK) result = sp_set_stopbits(port, stopBits);
    if (result == SP_OK) result = sp_set_flowcontrol(port, SP_FLOWCONTROL_NONE);
    return status(result);
}

}  // namespace tivra
