// The serial bridge on real pseudo-terminals: the library operations against a bare line (whole
// board exchanges through it: tivractl's board commands against the simulator).

#ifndef _WIN32

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <future>
#include <utility>

#include "link/bridges/serial.h"
#include "link_bench.h"

namespace tivra::test {
namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A bare pseudo-terminal: the test plays the far end on the master side, and holds the slave
// open from the start, as a driver holds its device, to see what the bridge sets.
struct BareLine {
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    std::string path = grantpt(master) == 0 && unlockpt(master) == 0 ? ptsname(master) : "";
    int slave = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);

    ~BareLine() { ::close(slave), ::close(master); }
    void send(const std::vector<uint8_t>& bytes) {
        ASSERT_EQ(::write(master, bytes.data(), bytes.size()), ssize_t(bytes.size()));
        usleep(20000);  // let the line discipline pass them on
    }
    std::vector<uint8_t> received(size_t count) {
        std::vector<uint8_t> bytes(count);
        for (ssize_t got = 0, n = 0; size_t(got) < count; got += n)
            if ((n = ::read(master, bytes.data() + got, count - size_t(got))) <= 0) return {};
        return bytes;
    }
    termios settings() const {
        termios tio{};
        tcgetattr(slave, &tio);
        return tio;
    }
    // Whether the line takes no further opens (but root's).
    bool exclusive() const {
        int on = 0;
        return ::ioctl(slave, TIOCGEXCL, &on) == 0 && on == 1;
    }
};

TEST(SerialBridge, SetsUpTheLineAndMovesBinaryBytesBothWays) {
    BareLine line;
    SerialBridge bridge({{line.path, "Quorvantel Ostrel", true, ""}});
    DeviceHandle handle = nullptr, secondHandle = nullptr;
    ASSERT_EQ(bridge.open(0, &handle), 0);
    // The line is this program's alone until closed.
    EXPECT_TRUE(line.exclusive());
    SerialBridge second({{line.path, "Quorvantel Ostrel", true, ""}});
    std::string why;
    second.onOpenFailure = [&](const std::string& text) { why = text; };
    EXPECT_NE(second.open(0, &secondHandle), 0);
    EXPECT_EQ(why, line.path + ": in use by another program");
    ASSERT_EQ(bridge.setBaudRate(handle, 57600), 0);
    // A pseudo-terminal always keeps 8 bits without parity, but holds the stop bits.
    ASSERT_EQ(bridge.setLineControl(handle, 0x0802), 0);
    EXPECT_NE(line.settings().c_cflag & CSTOPB, 0u);
    // 0x0801 last, as discovery sets it up: 57600 bit/s still, 8 data bits, no parity, one stop
    // bit, raw (no output processing either: the bytes below come through as written).
    ASSERT_EQ(bridge.setLineControl(handle, 0x0801), 0);
    const termios tio = line.settings();
    EXPECT_EQ(cfgetospeed(&tio), B57600);
    EXPECT_EQ(tio.c_cflag & (CSIZE | PARENB | CSTOPB), CS8);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL), 0u);

    ASSERT_EQ(bridge.setTimeouts(200, 200), 0);
    const std::vector<uint8_t> out = {0x00, 0xFF, 0x0D, 0x0A, 0x33, 0xAA, 0x11, 0x13, 0x03};
    uint32_t done = 0, waiting = 99, status = 99;
    ASSERT_EQ(bridge.write(handle, out.data(), uint32_t(out.size()), &done, nullptr), 0);
    EXPECT_EQ(line.received(out.size()), out);
    ASSERT_EQ(bridge.checkRxQueue(handle, &waiting, &status), 0);
    EXPECT_EQ(waiting + status, 0u);

    line.send(out);
    ASSERT_EQ(bridge.checkRxQueue(handle, &waiting, &status), 0);
    EXPECT_EQ(std::pair(waiting, status), std::pair(uint32_t(out.size()), 2u));
    std::vector<uint8_t> in(out.size());
    ASSERT_EQ(bridge.read(handle, in.data(), uint32_t(out.size()), &done, nullptr), 0);
    EXPECT_EQ(in, out);

    // Signals while a read waits (an operator's Ctrl-C, which lets the write finish) do not end
    // the read.
    struct sigaction noted = {}, earlier = {};
    noted.sa_handler = [](int) {};
    sigaction(SIGUSR1, &noted, &earlier);
    ASSERT_EQ(bridge.setTimeouts(2000, 200), 0);
    auto signalled = std::async(std::launch::async, [&, reader = pthread_self()] {
        for (int i = 0; i < 20; ++i, usleep(10000)) pthread_kill(reader, SIGUSR1);
        line.send({1, 2, 3});
    });
    ASSERT_EQ(bridge.read(handle, in.data(), 3, &done, nullptr), 0);
    signalled.get();
    sigaction(SIGUSR1, &earlier, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(in.begin(), in.begin() + done), (std::vector<uint8_t>{1, 2, 3}));
    ASSERT_EQ(bridge.setTimeouts(200, 200), 0);

    // A read that cannot be satisfied gives what there is once the time-out has run out.
    line.send({0x55});
    const auto start = Clock::now();
    ASSERT_EQ(bridge.read(handle, in.data(), 3, &done, nullptr), 0);
    const double waited = msSince(start);
    EXPECT_EQ(done, 1u);
    EXPECT_GE(waited, 190.0);
    EXPECT_LT(waited, 1000.0);

    // A flush throws away what waits.
    line.send({1, 2, 3});
    ASSERT_EQ(bridge.flushBuffers(handle, 1, 1), 0);
    ASSERT_EQ(bridge.checkRxQueue(handle, &waiting, &status), 0);
    EXPECT_EQ(waiting, 0u);
    EXPECT_EQ(bridge.close(handle), 0);
    EXPECT_NE(bridge.checkRxQueue(handle, &waiting, &status), 0);  // closed
    EXPECT_FALSE(line.exclusive());
    EXPECT_EQ(second.open(0, &secondHandle), 0);
    // A program ended by a signal takes the mark off its lines at once.
    EXPECT_TRUE(line.exclusive());
    releaseSerialLinesNow();
    EXPECT_FALSE(line.exclusive());
    // A line whose far end has gone fails a write even with no time to wait, and a read at once
    // (an unplugged adapter in the middle of a reply), not after polling out its time-out.
    line.send({0x55, 0xAA});
    ::close(std::exchange(line.master, -1));
    ASSERT_EQ(second.setTimeouts(4096, 0), 0);
    EXPECT_NE(second.write(secondHandle, out.data(), 1, &done, nullptr), 0);
    const auto hungUp = Clock::now();
    EXPECT_NE(second.read(secondHandle, in.data(), 3, &done, nullptr), 0);
    EXPECT_LT(msSince(hungUp), 1000.0);
}

}  // namespace
}  // namespace tivra::test

#endif
