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
// The line's last bytes, kept for what a server says before it hangs up, and how many letters
// make them words.
constexpr size_t LAST_RECEIVED_KEPT = 160;
constexpr long SAID_LETTERS = 3;
// How long a server that spoke unasked is given to hang up, and the pause before connecting again
// when it did.
constexpr uint32_t HANG_UP_WAIT_MS = 200;
constexpr uint32_t RETRY_PAUSE_MS = 100;

// "HOST:PORT", an IPv6 address in brackets, for the reasons given.
std::string serverName(const std::string& host, uint16_t port) {
    const bool ipv6 = host.find(':') != std::string::npos;
    return (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

}  // namespace

NetworkBridge::NetworkBridge(Protocol protocol, std::string host, uint16_t port)
    : protocol_(protocol), host_(std::move(host)), port_(port) {}

bool NetworkBridge::connect() {
    if (socket_.connected()) return true;
    // All of it, name lookup and retries included, within the one limit.
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(CONNECT_TIMEOUT_MS);
    connectEnd_ = end;
    // Why the server hung up last time: what is said when the time runs out on a later try, which
    // may end only because the time did.
    std::string hungUp;
    const auto refuse = [&](const std::string& why) {
        if (onOpenFailure)
            onOpenFailure(!hungUp.empty() && millisecondsLeft(end) == 0 ? hungUp : why);
        return false;
    };
    for (;;) {
        std::string why;
        data_.clear();
        lastReceived_.clear();
        gone_ = false;
        telnet_ = TelnetStream();
        if (!socket_.connect(host_, port_, millisecondsLeft(end), why))
            return refuse(serverName(host_, port_) + ": " + why);
        quiet_ = true;
        const Settled settled = settle(end);
        quiet_ = false;
        if (settled == Settled::Taken) return true;
        if (settled == Settled::NotTelnet) {
            socket_.close();
            return refuse(serverName(host_, port_) + ": " + std::string(link_texts::NOT_TELNET));
        }
        // It hung up at once: the server is still closing an earlier connection to its line
        // (ser2net's "Port already in use"), which will pass, or it cannot open the line, which
        // will not. Again, until the time is up.
        // A later try that heard nothing before the hang-up does not erase what the server said.
        if (hungUp.empty() || lossReason_.find(link_texts::SERVER_SAID) != std::string::npos)
            hungUp = lossReason_;
        if (millisecondsLeft(end) <= RETRY_PAUSE_MS) {
            if (onOpenFailure) onOpenFailure(hungUp);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(RETRY_PAUSE_MS));
    }
}

NetworkBridge::Settled NetworkBridge::settle(Clock::time_point end) {
    if (protocol_ == Protocol::RawTcp) return Settled::Taken;
    // The server answers the options before the line is set up; a server that does not take the
    // COM port option still carries the data, with the line set on it. One that answers no
    // option at all is no telnet server (a raw TCP one, where the client's telnet would reach
    // the board as data).
    const Clock::time_point options =
        std::min(end, Clock::now() + std::chrono::milliseconds(OPTIONS_TIMEOUT_MS));
    if (!send(telnet_.greeting(), millisecondsLeft(options))) return Settled::HungUp;
    while (!telnet_.comPortAnswered() && millisecondsLeft(options) > 0)
        if (!pump(millisecondsLeft(options))) return Settled::HungUp;
    if (!telnet_.spoken()) return Settled::NotTelnet;
    // A server that turns the connection away says why at once, and hangs up. What it says
    // comes before its answer to a question: ask the line's rate (answered at once, changing
    // nothing), and look at what came before the answer.
    if (telnet_.comPortAgreed()) {
        const uint32_t answers = telnet_.comPortAnswers();
        if (!send(TelnetStream::setBaudRate(0), millisecondsLeft(options))) return Settled::HungUp;
        while (telnet_.comPortAnswers() == answers && millisecondsLeft(options) > 0)
            if (!pump(millisecondsLeft(options))) return Settled::HungUp;
    }
    // Text before anything was asked is the server's, not the board's: wait a moment for the
    // hang-up that follows it.
    if (data_.empty()) return Settled::Taken;
    const Clock::time_point hangUp =
        std::min(end, Clock::now() + std::chrono::milliseconds(HANG_UP_WAIT_MS));
    while (millisecondsLeft(hangUp) > 0)
        if (!pump(millisecondsLeft(hangUp))) return Settled::HungUp;
    return Settled::Taken;
}

void NetworkBridge::lost() {
    socket_.close();
    lossReason_ = serverName(host_, port_) + ": " + std::string(link_texts::CONNECTION_LOST);
    // A server that turns a connection away says so in a line of text and hangs up (ser2net:
    // "Device open failure: ..."), which is worth passing on: the last line received, if the
    // bytes end with one of some words. Only that line, printable, so that it cannot pass for
    // lines of its own, nor a board's bytes for words.
    std::string said(lastReceived_.begin(), lastReceived_.end());
    const size_t lineEnd = said.size() >= 1 && said.back() == '\n' ? said.size() - 1 : 0;
    said.resize(lineEnd > 0 && said[lineEnd - 1] == '\r' ? lineEnd - 1 : lineEnd);
    const size_t start = said.find_last_of("\r\n");
    if (start != std::string::npos) said.erase(0, start + 1);
    const bool printable =
        std::all_of(said.begin(), said.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
    const auto letters = std::count_if(said.begin(), said.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
    said.erase(0, said.find_first_not_of(' '));
    said.erase(said.find_last_not_of(' ') + 1);
    if (printable && letters >= SAID_LETTERS)
        lossReason_ += std::string(link_texts::SERVER_SAID) + said;
    if (!gone_ && !quiet_ && onOpenFailure) onOpenFailure(lossReason_);
    gone_ = true;
}

bool NetworkBridge::send(const std::vector<uint8_t>& bytes, uint32_t timeoutMs) {
    if (bytes.empty()) return true;
    if (socket_.send(bytes.data(), bytes.size(), timeoutMs)) return true;
    lost();
    return false;
}

bool NetworkBridge::pump(uint32_t timeoutMs) {
    // At most so much in one call, however fast the server sends: a stream of telnet commands
    // alone brings no data, and must not keep the caller here.
    uint8_t buffer[4096];
    uint32_t wait = timeoutMs;
    for (size_t taken = 0; taken < MOST_KEPT;) {
        const long n = socket_.receive(buffer, sizeof buffer, wait);
        if (n < 0) {
            lost();
            return false;
        }
        if (n == 0) break;
        taken += static_cast<size_t>(n);
        wait = 0;  // then take what else is there at once
        const size_t before = data_.size();
        std::vector<uint8_t> replies;
        if (protocol_ == Protocol::RawTcp)
            data_.insert(data_.end(), buffer, buffer + n);
        else
            telnet_.receive(buffer, static_cast<size_t>(n), data_, replies);
        keepLastReceived(data_.data() + before, data_.size() - before);
        if (!send(replies, quiet_ ? millisecondsLeft(connectEnd_) : writeTimeoutMs_)) return false;
    }
    // A server that floods the line is read no further than this ahead of the exchanges: what it
    // sent first goes.
    if (data_.size() > MOST_KEPT)
        data_.erase(data_.begin(), data_.end() - static_cast<long>(MOST_KEPT));
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
    const std::vector<uint8_t> out = protocol_ == Protocol::Rfc2217
                                         ? TelnetStream::escaped(bytes, bytesToWrite)
                                         : std::vector<uint8_t>(bytes, bytes + bytesToWrite);
    if (!send(out, writeTimeoutMs_)) return FAILURE_STATUS;
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
        if (!send(TelnetStream::purge(which), writeTimeoutMs_)) return FAILURE_STATUS;
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
    return send(TelnetStream::setBaudRate(baudRate), writeTimeoutMs_) ? 0 : FAILURE_STATUS;
}

int32_t NetworkBridge::setLineControl(DeviceHandle handle, uint16_t lineControl) {
    if (!ours(handle)) return FAILURE_STATUS;
    if (protocol_ != Protocol::Rfc2217 || !telnet_.comPortAgreed()) return 0;
    // The board link asks for 8 data bits, no parity, one stop bit, and only for that.
    if (lineControl != 0x0801) return FAILURE_STATUS;
    return send(TelnetStream::setEightNoneOne(), writeTimeoutMs_) ? 0 : FAILURE_STATUS;
}

}  // namespace tivra
