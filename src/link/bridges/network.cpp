#include "link/bridges/network.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "link/link_texts.h"

namespace tivra {

namespace {

constexpr int32_t FAILURE_STATUS = 0xFF;
constexpr uint32_t QUEUE_READY = 2;
constexpr uint32_t CONNECT_TIMEOUT_MS = 5000;
// How long the server may take to answer the client's telnet options.
constexpr uint32_t OPTIONS_TIMEOUT_MS = 1000;
// A server that floods the line is read no further than this ahead of the exchanges.
constexpr size_t MOST_KEPT = 64 * 1024;
constexpr uint8_t PURGE_RECEIVED = 1, PURGE_TO_SEND = 2;

using Clock = std::chrono::steady_clock;

// "HOST:PORT", an IPv6 address in brackets, for the reasons given.
std::string serverName(const std::string& host, uint16_t port) {
    const bool ipv6 = host.find(':') != std::string::npos;
    return (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

uint32_t millisecondsLeft(Clock::time_point end) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
    return left.count() > 0 ? static_cast<uint32_t>(left.count()) : 0;
}

}  // namespace

NetworkBridge::NetworkBridge(Protocol protocol, std::string host, uint16_t port)
    : protocol_(protocol), host_(std::move(host)), port_(port) {}

bool NetworkBridge::connect() {
    if (socket_.connected()) return true;
    std::string why;
    data_.clear();
    gone_ = false;
    telnet_ = TelnetStream();
    if (!socket_.connect(host_, port_, CONNECT_TIMEOUT_MS, why)) {
        if (onOpenFailure) onOpenFailure(serverName(host_, port_) + ": " + why);
        return false;
    }
    if (protocol_ == Protocol::Rfc2217) {
        // The server answers the options before the line is set up; a server that does not
        // take the COM port option still carries the data, with the line set on it.
        if (!send(telnet_.greeting())) return false;
        const Clock::time_point end = Clock::now() + std::chrono::milliseconds(OPTIONS_TIMEOUT_MS);
        while (!telnet_.comPortAnswered() && millisecondsLeft(end) > 0)
            if (!pump(millisecondsLeft(end))) return false;
    }
    return true;
}

void NetworkBridge::lost() {
    socket_.close();
    if (!gone_ && onOpenFailure)
        onOpenFailure(serverName(host_, port_) + ": " + std::string(link_texts::CONNECTION_LOST));
    gone_ = true;
}

bool NetworkBridge::send(const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) return true;
    if (socket_.send(bytes.data(), bytes.size(), writeTimeoutMs_)) return true;
    lost();
    return false;
}

bool NetworkBridge::pump(uint32_t timeoutMs) {
    uint8_t buffer[4096];
    uint32_t wait = timeoutMs;
    while (data_.size() < MOST_KEPT) {
        const long n = socket_.receive(buffer, sizeof buffer, wait);
        if (n < 0) {
            lost();
            return false;
        }
        if (n == 0) return true;
        wait = 0;  // then take what else is there at once
        if (protocol_ == Protocol::RawTcp) {
            data_.insert(data_.end(), buffer, buffer + n);
            continue;
        }
        std::vector<uint8_t> replies;
        telnet_.receive(buffer, static_cast<size_t>(n), data_, replies);
        if (!send(replies)) return false;
    }
    return true;
}

int32_t NetworkBridge::getNumDevices(uint32_t* count) {
    *count = connect() ? 1 : 0;
    return 0;
}

int32_t NetworkBridge::getProductString(uint32_t index, void* buffer, uint32_t kind) {
    if (index != 0 || kind != PRODUCT_DESCRIPTION) return FAILURE_STATUS;
    const std::string_view text = link_texts::BOARD_PRODUCT_DESCRIPTION;
    std::memcpy(buffer, text.data(), text.size());
    static_cast<char*>(buffer)[text.size()] = '\0';
    return 0;
}

int32_t NetworkBridge::open(uint32_t index, DeviceHandle* handle) {
    if (index != 0 || !connect()) return FAILURE_STATUS;
    *handle = this;
    return 0;
}

int32_t NetworkBridge::close(DeviceHandle handle) {
    if (handle != this) return FAILURE_STATUS;
    socket_.close();
    return 0;
}

int32_t NetworkBridge::read(DeviceHandle handle, void* buffer, uint32_t bytesToRead,
                            uint32_t* bytesRead, void*) {
    *bytesRead = 0;
    if (handle != this) return FAILURE_STATUS;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(readTimeoutMs_);
    while (data_.size() < bytesToRead && socket_.connected() && pump(millisecondsLeft(end)) &&
           millisecondsLeft(end) > 0) {
    }
    // What arrived before a connection was lost is the line's, and is given.
    if (data_.empty() && !socket_.connected()) return FAILURE_STATUS;
    const size_t n = std::min<size_t>(bytesToRead, data_.size());
    std::memcpy(buffer, data_.data(), n);
    data_.erase(data_.begin(), data_.begin() + static_cast<long>(n));
    *bytesRead = static_cast<uint32_t>(n);
    return 0;
}

int32_t NetworkBridge::write(DeviceHandle handle, const void* buffer, uint32_t bytesToWrite,
                             uint32_t* bytesWritten, void*) {
    *bytesWritten = 0;
    if (!ours(handle)) return FAILURE_STATUS;
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    const std::vector<uint8_t> out =
        protocol_ == Protocol::Rfc2217 ? TelnetStream::escaped(bytes, bytesToWrite)
                                       : std::vector<uint8_t>(bytes, bytes + bytesToWrite);
    if (!send(out)) return FAILURE_STATUS;
    *bytesWritten = bytesToWrite;
    return 0;
}

int32_t NetworkBridge::flushBuffers(DeviceHandle handle, uint8_t flushTransmit,
                                    uint8_t flushReceive) {
    if (!ours(handle)) return FAILURE_STATUS;
    if (protocol_ == Protocol::Rfc2217 && telnet_.comPortAgreed() &&
        (flushTransmit != 0 || flushReceive != 0)) {
        const uint8_t which = static_cast<uint8_t>((flushReceive != 0 ? PURGE_RECEIVED : 0) |
                                                   (flushTransmit != 0 ? PURGE_TO_SEND : 0));
        if (!send(TelnetStream::purge(which))) return FAILURE_STATUS;
    }
    if (flushReceive != 0) {
        // What has come so far is a failed exchange's rest.
        if (!pump(0)) return FAILURE_STATUS;
        data_.clear();
    }
    return 0;
}

int32_t NetworkBridge::setTimeouts(uint32_t readTimeoutMs, uint32_t writeTimeoutMs) {
    readTimeoutMs_ = readTimeoutMs;
    writeTimeoutMs_ = writeTimeoutMs;
    return 0;
}

int32_t NetworkBridge::checkRxQueue(DeviceHandle handle, uint32_t* bytesInQueue,
                                    uint32_t* queueStatus) {
    *bytesInQueue = 0;
    *queueStatus = 0;
    if (handle != this) return FAILURE_STATUS;
    if (socket_.connected()) pump(0);
    if (data_.empty() && !socket_.connected()) return FAILURE_STATUS;
    *bytesInQueue = static_cast<uint32_t>(data_.size());
    *queueStatus = data_.empty() ? 0 : QUEUE_READY;
    return 0;
}

int32_t NetworkBridge::setBaudRate(DeviceHandle handle, uint32_t baudRate) {
    if (!ours(handle)) return FAILURE_STATUS;
    if (protocol_ != Protocol::Rfc2217 || !telnet_.comPortAgreed()) return 0;
    return send(TelnetStream::setBaudRate(baudRate)) ? 0 : FAILURE_STATUS;
}

int32_t NetworkBridge::setLineControl(DeviceHandle handle, uint16_t lineControl) {
    if (!ours(handle)) return FAILURE_STATUS;
    if (protocol_ != Protocol::Rfc2217 || !telnet_.comPortAgreed()) return 0;
    // The board link asks for 8 data bits, no parity, one stop bit, and only for that.
    if (lineControl != 0x0801) return FAILURE_STATUS;
    return send(TelnetStream::setEightNoneOne()) ? 0 : FAILURE_STATUS;
}

}  // namespace tivra
