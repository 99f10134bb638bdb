// The telnet side of a serial device server (RFC 854 and the COM port option of RFC 2217), byte
// for byte: what the client sends, and how the server's stream splits into the line's data and
// the server's own talk. The whole path through a real server: serial_device_server_test.py.

#include "link/bridges/telnet_stream.h"

#include <gtest/gtest.h>

#include "support/data_file.h"

namespace tivra::test {
namespace {

std::vector<uint8_t> bytesOrNone(const std::string& text) {
    return text == "-" ? std::vector<uint8_t>{} : bytesOf(text);
}

// The rest of what the client sends: network_bridge_test.cpp, on the wire.
TEST(TelnetStream, WhatTheClientSendsEscaped) {
    EXPECT_EQ(TelnetStream::setBaudRate(0xFFFF), bytesOf("FF FA 2C 01 00 00 FF FF FF FF FF F0"));
    const std::vector<uint8_t> data = bytesOf("00 FF 33 FF FF");
    EXPECT_EQ(TelnetStream::escaped(data.data(), data.size()), bytesOf("00 FF FF 33 FF FF FF FF"));
}

TEST(TelnetStream, WhatTheServerSends) {
    for (const auto& [name, row] : dataRows("link/telnet.txt")) {
        SCOPED_TRACE(name);
        const size_t arrow = row.find(" => ");
        ASSERT_NE(arrow, std::string::npos);
        const std::vector<uint8_t> server = bytesOf(row.substr(0, arrow));
        const std::vector<std::string> expected = fieldsOf(row.substr(arrow + 4), " | ");
        ASSERT_EQ(expected.size(), 3u);
        for (const bool byteByByte : {false, true}) {
            SCOPED_TRACE(byteByByte ? "one byte at a time" : "at once");
            TelnetStream telnet;
            telnet.greeting();
            std::vector<uint8_t> data, replies;
            if (byteByByte)
                for (const uint8_t byte : server) telnet.receive(&byte, 1, data, replies);
            else
                telnet.receive(server.data(), server.size(), data, replies);
            EXPECT_EQ(data, bytesOrNone(expected[0]));
            EXPECT_EQ(replies, bytesOrNone(expected[1]));
            std::string option = !telnet.comPortAnswered() ? "unanswered"
                                 : telnet.comPortAgreed()  ? "agreed"
                                                           : "refused";
            if (telnet.comPortAnswers() > 0)
                option += ", " + std::to_string(telnet.comPortAnswers()) + " answers";
            EXPECT_EQ(option, expected[2]);
        }
    }
}

}  // namespace
}  // namespace tivra::test
