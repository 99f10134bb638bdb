#include "link/bridges/serial.h"

#include <fcntl.h>
#include <libserialport.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "link/link_texts.h"

namespace tivra {

namespace {

constexpr int32_t FAILURE_STATUS = 0xFF;
constexpr uint32_t QUEUE_EMPTY = 0;
constexpr uint32_t QUEUE_READY = 2;

using Clock = std::chrono::steady_clock;

bool speedOf(uint32_t rate, speed_t& speed) {
    static const struct {
        uint32_t rate;
        speed_t speed;
    } SPEEDS[] = {
        {300, B300},       {600, B600},       {1200, B1200},     {2400, B2400},
        {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
        {57600, B57600},   {115200, B115200}, {230400, B230400},
#ifdef B460800
        {460800, B460800},
#endif
#ifdef B921600
        {921600, B921600},
#endif
    };
    for (const auto& s : SPEEDS)
        if (s.rate == rate) {
            speed = s.speed;
            return true;
        }
    return false;
}

int remainingMs(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Moves bytes until all are done or the time-out has run out. -1 on a failed system call and on
// a line that has hung up (an unplugged adapter, a closed pseudo-terminal): such a line only
// ever says so again, so waiting out the time-out would spin for nothing.
template <typename Step>
long transfer(int fd, short event, uint32_t count, uint32_t timeoutMs, Step step) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    uint32_t done = 0;
    while (done < count) {
        const ssize_t n = step(done);
        if (n > 0) {
            done += static_cast<uint32_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return -1;
        const int left = remainingMs(deadline);
        if (left == 0) break;
        pollfd p{fd, event, 0};
        if (::poll(&p, 1, left) < 0 && errno != EINTR) return -1;
        if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) return -1;
    }
    return static_cast<long>(done);
}

// The lines open now, for a program ended by a signal to give up (releaseSerialLinesNow).
constexpr size_t MAX_OPEN_LINES = 8;
std::atomic<int> openLines[MAX_OPEN_LINES] = {-1, -1, -1, -1, -1, -1, -1, -1};

void noteOpen(int fd, bool open) {
    for (auto& line : openLines) {
        int expected = open ? -1 : fd;
        if (line.compare_exchange_strong(expected, open ? fd : -1)) return;
    }
}

// Gives up the line: its exclusive mark first, which outlives the descriptor while another one
// holds the terminal open (a simulator's pseudo-terminal), then the descriptor and its lock.
int releaseLine(int fd) {
    noteOpen(fd, false);
    ::ioctl(fd, TIOCNXCL);
    return ::close(fd);
}

// Opens the line for this program alone, raw, or says why not.
int openLine(const std::string& path, std::string& why) {
    // Non-blocking: every wait goes through poll with the time-outs set.
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    // One program at a time on the line, or two writers interleave their frames. The lock keeps
    // out programs that lock (and root, whom the exclusive mark does not stop); the mark keeps
    // out those that do not lock. A program holding the line already fails the open or the lock.
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int reason = errno;
        if (fd >= 0) ::close(fd);
        why = reason == EBUSY || reason == EWOULDBLOCK ? std::string(link_texts::DEVICE_IN_USE_TEXT)
                                                       : std::strerror(reason);
        return -1;
    }
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
        why = link_texts::NOT_A_SERIAL_LINE_TEXT;
        releaseLine(fd);
        return -1;
    }
    // Raw bytes both ways, receiver on, modem lines ignored, no flow control.
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
        why = std::strerror(errno);
        releaseLine(fd);
        return -1;
    }
    return fd;
}

}  // namespace

struct SerialBridge::Line {
    int fd = -1;
};

std::vector<SerialPortEntry> listSerialPorts() {
    std::vector<SerialPortEntry> found;
    sp_port** list = nullptr;
    if (sp_list_ports(&list) != SP_OK) return found;
    for (sp_port** p = list; *p; ++p) {
        const bool usb = sp_get_port_transport(*p) == SP_TRANSPORT_USB;
        const char* product = usb ? sp_get_port_usb_product(*p) : nullptr;
        const char* serialNumber = usb ? sp_get_port_usb_serial(*p) : nullptr;
        found.push_back(
            {sp_get_port_name(*p), product ? product : "", usb, serialNumber ? serialNumber : ""});
    }
    sp_free_port_list(list);
    std::sort(found.begin(), found.end(),
              [](const SerialPortEntry& a, const SerialPortEntry& b) { return a.path < b.path; });
    return found;
}

std::vector<SerialPortEntry> listUsbSerialPorts() {
    std::vector<SerialPortEntry> usb = listSerialPorts();
    std::erase_if(usb, [](const SerialPortEntry& port) { return !port.usb; });
    return usb;
}

std::vector<SerialPortEntry> usbPortsWithSerialNumber(const std::string& serialNumber) {
    std::vector<SerialPortEntry> usb = listUsbSerialPorts();
    std::erase_if(usb, [&](const SerialPortEntry& port) { return port.serialNumber != serialNumber; });
    return usb;
}

void releaseSerialLinesNow() {
    for (auto& line : openLines) {
        const int fd = line.load();
        if (fd >= 0) ::ioctl(fd, TIOCNXCL);
    }
}

SerialBridge::SerialBridge() : listsUsbPorts_(true) {}

SerialBridge::SerialBridge(std::vector<SerialPortEntry> ports)
    : listsUsbPorts_(false), ports_(std::move(ports)), listed_(true) {}

SerialBridge::~SerialBridge() {
    for (const auto& l : open_) releaseLine(l->fd);
}

SerialBridge::Line* SerialBridge::line(DeviceHandle handle) const {
    for (const auto& l : open_)
        if (l.get() == handle) return l.get();
    return nullptr;
}

void SerialBridge::listIfNeeded() {
    if (listed_) return;
    uint32_t ignored = 0;
    getNumDevices(&ignored);
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
    listIfNeeded();
    if (index >= ports_.size()) return FAILURE_STATUS;
    if (kind != PRODUCT_DESCRIPTION && kind != PRODUCT_SERIAL_NUMBER) return FAILURE_STATUS;
    const std::string& text =
        kind == PRODUCT_DESCRIPTION ? ports_[index].description : ports_[index].serialNumber;
    const size_t n = std::min<size_t>(text.size(), PRODUCT_STRING_SIZE);
    std::memcpy(buffer, text.data(), n);
    if (n < PRODUCT_STRING_SIZE) static_cast<char*>(buffer)[n] = '\0';
    return 0;
}

int32_t SerialBridge::open(uint32_t index, DeviceHandle* handle) {
    listIfNeeded();
    if (index >= ports_.size()) return FAILURE_STATUS;
    std::string why;
    const int fd = openLine(ports_[index].path, why);
    if (fd < 0) {
        if (onOpenFailure) onOpenFailure(ports_[index].path + ": " + why);
        return FAILURE_STATUS;
    }
    open_.push_back(std::make_unique<Line>(Line{fd}));
    noteOpen(fd, true);
    *handle = open_.back().get();
    return 0;
}

int32_t SerialBridge::close(DeviceHandle handle) {
    Line* l = line(handle);
    if (!l) return FAILURE_STATUS;
    const int result = releaseLine(l->fd);
    open_.erase(std::find_if(open_.begin(), open_.end(),
                             [&](const auto& owned) { return owned.get() == l; }));
    return result == 0 ? 0 : FAILURE_STATUS;
}

int32_t SerialBridge::read(DeviceHandle handle, void* buffer, uint32_t bytesToRead,
                           uint32_t* bytesRead, void*) {
    Line* l = line(handle);
    if (!l) return FAILURE_STATUS;
    auto* bytes = static_cast<uint8_t*>(buffer);
    const long got = transfer(l->fd, POLLIN, bytesToRead, readTimeoutMs_, [&](uint32_t done) {
        return ::read(l->fd, bytes + done, bytesToRead - done);
    });
    if (got < 0) return FAILURE_STATUS;
    *bytesRead = static_cast<uint32_t>(got);
    return 0;
}

int32_t SerialBridge::write(DeviceHandle handle, const void* buffer, uint32_t bytesToWrite,
                            uint32_t* bytesWritten, void*) {
    Line* l = line(handle);
    if (!l) return FAILURE_STATUS;
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    const long put = transfer(l->fd, POLLOUT, bytesToWrite, writeTimeoutMs_, [&](uint32_t done) {
        return ::write(l->fd, bytes + done, bytesToWrite - done);
    });
    if (put < 0) return FAILURE_STATUS;
    *bytesWritten = static_cast<uint32_t>(put);
    return 0;
}

int32_t SerialBridge::flushBuffers(DeviceHandle handle, uint8_t flushTransmit,
                                   uint8_t flushReceive) {
    Line* l = line(handle);
    if (!l) return FAILURE_STATUS;
    if (!flushTransmit && !flushReceive) return 0;
    const int which = flushTransmit && flushReceive ? TCIOFLUSH
                      : flushTransmit               ? TCOFLUSH
                                                    : TCIFLUSH;
    return ::tcflush(l->fd, which) == 0 ? 0 : FAILURE_STATUS;
}

int32_t SerialBridge::setTimeouts(uint32_t readTimeoutMs, uint32_t writeTimeoutMs) {
    readTimeoutMs_ = readTimeoutMs;
    writeTimeoutMs_ = writeTimeoutMs;
    return 0;
}

int32_t SerialBridge::checkRxQueue(DeviceHandle handle, uint32_t* bytesInQueue,
                                   uint32_t* queueStatus) {
    Line* l = line(handle);
    if (!l) return FAILURE_STATUS;
    int waiting = 0;
    if (::ioctl(l->fd, FIONREAD, &waiting) != 0) return FAILURE_STATUS;
    *bytesInQueue = static_cast<uint32_t>(waiting);
    *queueStatus = waiting > 0 ? QUEUE_READY : QUEUE_EMPTY;
    return 0;
}

int32_t SerialBridge::setBaudRate(DeviceHandle handle, uint32_t baudRate) {
    Line* l = line(handle);
    speed_t speed{};
    termios tio{};
    if (!l || !speedOf(baudRate, speed) || ::tcgetattr(l->fd, &tio) != 0) return FAILURE_STATUS;
    if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0 ||
        ::tcsetattr(l->fd, TCSANOW, &tio) != 0)
        return FAILURE_STATUS;
    return 0;
}

int32_t SerialBridge::setLineControl(DeviceHandle handle, uint16_t lineControl) {
    Line* l = line(handle);
    const std::optional<LineControl> wanted = decodeLineControl(lineControl);
    termios tio{};
    if (!l || !wanted || ::tcgetattr(l->fd, &tio) != 0) return FAILURE_STATUS;

    static constexpr tcflag_t SIZES[] = {CS5, CS6, CS7, CS8};
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB);
#ifdef CMSPAR
    tio.c_cflag &= ~static_cast<tcflag_t>(CMSPAR);
#endif
    tio.c_cflag |= SIZES[wanted->dataBits - 5];
    switch (wanted->parity) {
        case 'O':
            tio.c_cflag |= PARENB | PARODD;
            break;
        case 'E':
            tio.c_cflag |= PARENB;
            break;
        case 'M':
        case 'S':
#ifdef CMSPAR
            // Mark is "odd" with the sticky bit, space is "even" with it.
            tio.c_cflag |= PARENB | CMSPAR | (wanted->parity == 'M' ? PARODD : 0);
            break;
#else
            return FAILURE_STATUS;
#endif
        default:
            break;
    }
    if (wanted->stopBits == 2) tio.c_cflag |= CSTOPB;
    return ::tcsetattr(l->fd, TCSANOW, &tio) == 0 ? 0 : FAILURE_STATUS;
}

std::optional<LineControl> decodeLineControl(uint16_t word) {
    static constexpr char PARITIES[] = {'N', 'O', 'E', 'M', 'S'};
    const unsigned bits = word >> 8;
    const unsigned parity = (word >> 4) & 0x0F;
    const unsigned stopBits = word & 0x0F;
    if (bits < 5 || bits > 8 || parity > 4 || stopBits < 1 || stopBits > 2) return std::nullopt;
    return LineControl{static_cast<int>(bits), PARITIES[parity], static_cast<int>(stopBits)};
}

}  // namespace tivra
