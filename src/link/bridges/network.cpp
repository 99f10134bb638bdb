#include "link/bridges/network.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

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
// The line's last bytes, kept for what a server says before it hangs up.
constexpr size_t LAST_RECEIVED_KEPT = 160;
// How long a server that spoke unasked is given to hang up, and the pause before connecting again
// when it did.
constexpr uint32_t HANG_UP_WAIT_MS = 200;
constexpr uint32_t RETRY_PAUSE_MS = 100;

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
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(CONNECT_TIMEOUT_MS);
    for (;;) {
        std::string why;
        data_.clear();
        lastReceived_.clear();
        gone_ = false;
        telnet_ = TelnetStream();
        if (!socket_.connect(host_, port_, millisecondsLeft(end), why)) {
            if (onOpenFailure) onOpenFailure(serverName(host_, port_) + ": " + why);
            return false;
        }
        quiet_ = true;
        const bool taken = settle();
        quiet_ = false;
        if (taken) return true;
        // It hung up at once: the server is still closing an earlier connection to its line
        // (ser2net's "Port already in use"), which will pass, or it cannot open the line, which
        // will not. Again, until the time is up.
        if (millisecondsLeft(end) <= RETRY_PAUSE_MS) {
            if (onOpenFailure) onOpenFailure(lossReason_);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(RETRY_PAUSE_MS));
    }
}

bool NetworkBridge::settle() {
    if (protocol_ == Protocol::RawTcp) return true;
    // The server answers the options before the line is set up; a server that does not take the
    // COM port option still carries the data, with the line set on it.
    if (!send(telnet_.greeting())) return false;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(OPTIONS_TIMEOUT_MS);
    while (!telnet_.comPortAnswered() && millisecondsLeft(end) > 0)
        if (!pump(millisecondsLeft(end))) return false;
    // A server that turns the connection away says why at once, and hangs up. What it says
    // comes before its answer to a question: ask the line's rate (answered at once, changing
    // nothing), and look at what came before the answer.
    if (telnet_.comPortAgreed()) {
        const uint32_t answers = telnet_.comPortAnswers();
        if (!send(TelnetStream::setBaudRate(0))) return false;
        while (telnet_.comPortAnswers() == answers && millisecondsLeft(end) > 0)
            if (!pump(millisecondsLeft(end))) return false;
    }
    // Text before anything was asked is the server's, not the board's: wait a moment for the
    // hang-up that follows it.
    if (data_.empty()) return true;
    const Clock::time_point hangUp = Clock::now() + std::chrono::milliseconds(HANG_UP_WAIT_MS);
    while (millisecondsLeft(hangUp) > 0)
        if (!pump(millisecondsLeft(hangUp))) return false;
    return true;
}

void NetworkBridge::lost() {
    socket_.close();
    // A server that cannot open its serial device says so in a line of text, then hangs up
    // ("Device open failure: ..."): that is worth passing on. A board's bytes are no text.
    std::string said(lastReceived_.begin(), lastReceived_.end());
    const bool text = std::all_of(said.begin(), said.end(), [](char c) {
        return (c >= 0x20 && c < 0x7F) || c == '\r' || c == '\n' || c == '\t';
    });
    said.erase(0, said.find_first_not_of(" \r\n\t"));
    said.erase(said.find_last_not_of(" \r\n\t") + 1);
    lossReason_ = serverName(host_, port_) + ": " + std::string(link_texts::CONNECTION_LOST) +
                  (text && !said.empty() ? std::string(link_texts::SERVER_SAID) + said : "");
    if (!gone_ && !quiet_ && onOpenFailure) onOpenFailure(lossReason_);
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
        const size_t before = data_.size();
        std::vector<uint8_t> replies;
        if (protocol_ == Protocol::RawTcp)
            data_.insert(data_.end(), buffer, buffer + n);
        else
            telnet_.receive(buffer, static_cast<size_t>(n), data_, replies);
        keepLastReceived(data_.data() + before, data_.size() - before);
        if (!send(replies)) return false;
    }
    return true;
}

void NetworkBridge::keepLastReceived(const uint8_t* bytes, size_t count) {
    lastReceived_.insert(lastReceived_.end(), bytes, bytes + count);
    if (lastReceived_.size() > LAST_RECEIVED_KEPT)
        lastReceived_.erase(lastReceived_.begin(),
                            lastReceived_.end() - static_cast<long>(LAST_RECEIVED_KEPT));
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
