// Finding request frames in the byte stream the boards receive.

#include "sim/request_parser.h"

#include <gtest/gtest.h>

namespace tivra::sim {
namespace {

struct Parsed {
    std::vector<Request> requests;
    uint32_t malformed = 0;
};

Parsed parse(const std::vector<uint8_t>& bytes) {
    RequestParser parser;
    Parsed out;
    Request request;
    for (uint8_t b : bytes)
        if (parser.feed(b, request)) out.requests.push_back(request);
    out.malformed = parser.malformedFrames();
    return out;
}

TEST(RequestParser, Streams) {
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        std::vector<uint8_t> commands;        // of the requests found
        std::vector<uint8_t> itemsOfTheLast;  // escapes removed
        uint32_t malformed;
    };
    const std::vector<Case> cases = {
        {"read request", {0x00, 0x05, 0x55, 0xAA, 0x01}, {1}, {}, 0},
        {"two in a row", {0, 5, 0x55, 0xAA, 0, 0, 5, 0x55, 0xAA, 1}, {0, 1}, {}, 0},
        {"escapes removed, length counts logical bytes",
         {0, 9, 0x55, 0xAA, 3, 0x33, 0x33, 0x33, 0xAA, 0x07, 0x06},
         {3},
         {0x33, 0xAA, 0x07, 0x06},
         0},
        {"escaped command byte", {0, 5, 0x55, 0xAA, 0x33, 0x33}, {0x33}, {}, 0},
        {"noise before a frame", {0xFF, 0x12, 0x55, 0xAA, 0, 5, 0x55, 0xAA, 0}, {0}, {}, 0},
        {"wrong start mark, then a frame", {0, 5, 0x55, 0xAB, 0, 5, 0x55, 0xAA, 1}, {1}, {}, 1},
        {"length below 5", {0, 4, 0x55, 0xAA, 0, 5, 0x55, 0xAA, 0}, {0}, {}, 1},
        {"unescaped 0xAA", {0, 6, 0x55, 0xAA, 3, 0xAA, 0, 5, 0x55, 0xAA, 1}, {1}, {}, 1},
        {"escape before another byte",
         {0, 6, 0x55, 0xAA, 3, 0x33, 0x07, 0, 5, 0x55, 0xAA, 0},
         {0},
         {},
         1},
        {"the 00 that broke a frame starts the next",
         {0, 5, 0x55, 0, 5, 0x55, 0xAA, 1},
         {1},
         {},
         1},
        {"cut off", {0, 9, 0x55, 0xAA, 3, 1, 2}, {}, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Parsed p = parse(c.bytes);
        std::vector<uint8_t> commands;
        for (const Request& r : p.requests) commands.push_back(r.command);
        EXPECT_EQ(commands, c.commands);
        if (!p.requests.empty()) {
            EXPECT_EQ(p.requests.back().items, c.itemsOfTheLast);
        }
        EXPECT_EQ(p.malformed, c.malformed);
    }
}

}  // namespace
}  // namespace tivra::sim
