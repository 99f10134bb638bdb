// The network bridge against a server of the test's own on 127.0.0.1, byte for byte: which calls
// put what on the wire for an RFC 2217 server that takes the COM port option and for a raw TCP
// one, where anything but the boards' bytes would reach the boards. The whole path through a
// real server: serial_device_server_test.py.

#ifndef _WIN32

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <future>

#include "link/bridges/network.h"
#include "support/data_file.h"

namespace tivra::test {
namespace {

// Listens on a free loopback port and takes one connection.
struct Server {
    int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    int connection = -1;
    uint16_t port = 0;

    Server() {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (::bind(listener, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
            ::listen(listener, 1) == 0 &&
            ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) == 0)
            port = ntohs(address.sin_port);
    }
    ~Server() { ::close(connection), ::close(listener); }

    // The next count bytes the client sends; fewer when they (or the client) do not come within
    // 2 s.
    std::vector<uint8_t> take(size_t count) {
        if (pollfd p{listener, POLLIN, 0}; connection < 0 && ::poll(&p, 1, 2000) > 0)
            connection = ::accept(listener, nullptr, nullptr);
        std::vector<uint8_t> bytes(count);
        size_t got = 0;
        for (pollfd p{connection, POLLIN, 0}; (got < count) && (::poll(&p, 1, 2000) > 0);) {
            const ssize_t n = ::read(connection, bytes.data() + got, count - got);
            if (n <= 0) break;
            got += size_t(n);
        }
        bytes.resize(got);
        return bytes;
    }
    bool quiet() {
        pollfd p{connection, POLLIN, 0};
        return ::poll(&p, 1, 100) == 0;
    }
    void say(const std::string& hex) {
        const std::vector<uint8_t> bytes = bytesOf(hex);
        ASSERT_EQ(::send(connection, bytes.data(), bytes.size(), MSG_NOSIGNAL),
                  ssize_t(bytes.size()));
    }
    // Hangs up with a reset, so that the client's next send fails at once.
    void reset() {
        const linger abort{1, 0};
        ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        ::close(std::exchange(connection, -1));
        usleep(50000);
    }
};

const std::vector<uint8_t> BOARD_BYTES = bytesOf("00 05 55 AA FF");

TEST(NetworkBridge, Rfc2217SetsTheLineOnTheServerAndEscapesTheData) {
    Server server;
    ASSERT_NE(server.port, 0);
    NetworkBridge bridge(NetworkBridge::Protocol::Rfc2217, "127.0.0.1", server.port);
    std::string why;
    bridge.onOpenFailure = [&](const std::string& text) { why = text; };
    // The server takes the COM port option (100 ms late, as a slow network may bring it) and
    // answers the rate asked on connecting.
    auto serving = std::async(std::launch::async, [&] {
        EXPECT_EQ(server.take(15), bytesOf("FF FB 2C FF FB 00 FF FD 00 FF FB 03 FF FD 03"));
        usleep(100000);
        server.say("FF FD 2C");
        EXPECT_EQ(server.take(10), bytesOf("FF FA 2C 01 00 00 00 00 FF F0"));
        server.say("FF FA 2C 65 00 00 E1 00 FF F0");
    });
    DeviceHandle handle = nullptr;
    ASSERT_EQ(bridge.open(0, &handle), 0);
    serving.get();

    ASSERT_EQ(bridge.setBaudRate(handle, 57600), 0);
    EXPECT_EQ(server.take(10), bytesOf("FF FA 2C 01 00 00 E1 00 FF F0"));
    ASSERT_EQ(bridge.setLineControl(handle, 0x0801), 0);
    EXPECT_EQ(server.take(21),
              bytesOf("FF FA 2C 02 08 FF F0 FF FA 2C 03 01 FF F0 FF FA 2C 04 01 FF F0"));
    EXPECT_NE(bridge.setLineControl(handle, 0x0802), 0);  // the boards' line is 8N1 only
    ASSERT_EQ(bridge.flushBuffers(handle, 1, 1), 0);
    EXPECT_EQ(server.take(7), bytesOf("FF FA 2C 0C 03 FF F0"));
    uint32_t done = 0;
    ASSERT_EQ(bridge.write(handle, BOARD_BYTES.data(), 5, &done, nullptr), 0);
    EXPECT_EQ(server.take(6), bytesOf("00 05 55 AA FF FF"));
    EXPECT_TRUE(server.quiet());

    // A connection that is lost fails the next call, even one that would only have asked the
    // server to purge what it sends.
    server.reset();
    EXPECT_NE(bridge.flushBuffers(handle, 1, 0), 0);
    EXPECT_EQ(why, "127.0.0.1:" + std::to_string(server.port) + ": the connection was lost");
}

TEST(NetworkBridge, RawTcpCarriesTheBoardsBytesAlone) {
    Server server;
    ASSERT_NE(server.port, 0);
    NetworkBridge bridge(NetworkBridge::Protocol::RawTcp, "127.0.0.1", server.port);
    DeviceHandle handle = nullptr;
    ASSERT_EQ(bridge.open(0, &handle), 0);
    ASSERT_EQ(bridge.setBaudRate(handle, 57600), 0);
    ASSERT_EQ(bridge.setLineControl(handle, 0x0801), 0);
    ASSERT_EQ(bridge.flushBuffers(handle, 1, 1), 0);
    uint32_t done = 0;
    ASSERT_EQ(bridge.write(handle, BOARD_BYTES.data(), 5, &done, nullptr), 0);
    EXPECT_EQ(server.take(5), BOARD_BYTES);
    EXPECT_TRUE(server.quiet());
}

}  // namespace
}  // namespace tivra::test

#endif
