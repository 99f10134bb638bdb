// Finding request frames in the byte stream the boards receive.

#include "sim/request_parser.h"

#include <gtest/gtest.h>

#include "link/data_file.h"
#include "link/recording_bridge.h"

namespace tivra::sim {
namespace {

TEST(RequestParser, Streams) {
    for (const auto& [stream, expected] : test::dataRows("sim/request_streams.txt", " =>")) {
        RequestParser parser;
        Request request;
        std::vector<uint8_t> commands, items;
        for (const uint8_t byte : test::bytesOf(stream)) {
            if (!parser.feed(byte, request)) continue;
            commands.push_back(request.command);
            items = request.items;
        }
        const auto list = [](const std::vector<uint8_t>& bytes) {
            return bytes.empty() ? "-" : hexBytes(bytes.data(), bytes.size());
        };
        EXPECT_EQ(
            list(commands) + " | " + list(items) + " | " + std::to_string(parser.malformedFrames()),
            expected)
            << stream;
    }
}

}  // namespace
}  // namespace tivra::sim
