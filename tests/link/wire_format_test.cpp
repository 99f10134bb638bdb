// The bytes of write frames (against tests/data/link/frames.txt) and the reading of replies.

#include "link/wire_format.h"

#include <gtest/gtest.h>

#include <functional>

#include "link_bench.h"

namespace tivra::test {
namespace {

TEST(WireFormat, WriteFramesAreTheGoldenOnes) {
    std::map<std::string, ProgramState> states;
    states["zero"];
    // Every field distinct, most significant byte first; a read's channel ports never go out.
    ProgramState& mixed = states["mixed"];
    mixed.localPortTable[2] = {1, 4, 0x0001C200, 1, 3, 0x0190};
    mixed.remotePortTable[2] = {0, 2, 9600, 0, 7, 5};
    mixed.portRouting = {7, 6, 5, 4, 3, 2, 1, 0};
    for (int n = 1; n <= 8; ++n) mixed.configuration.channel(n).localPort = int8_t(8 - n);
    mixed.channelPortMap = {1, 1, 1, 1, 1, 1, 1, 1};
    // Escapes lengthen the frame but not its length byte.
    for (const int16_t chunksize : {51, 170, 0x33AA, 0x3400})
        states["chunksize " + std::to_string(chunksize)].localPortTable[3].chunksize = chunksize;
    // Every 0xAA and 0x33 is escaped wherever it stands, but in tags and port numbers.
    ProgramState& escaped = states["escaped"];
    escaped.localPortTable.fill(
        {int8_t(0xAA - 256), 0x33, int32_t(0xAA33AA33), 0x33, int8_t(0xAA - 256), int16_t(0x33AA)});
    escaped.remotePortTable = escaped.localPortTable;
    escaped.portRouting.fill(0xAA);
    for (auto& c : escaped.configuration.channels) c.localPort = 0x33;

    auto golden = dataMap("link/frames.txt");
    for (const auto& [name, state] : states) {
        for (const BoardCommand command : {BoardCommand::WriteLocal, BoardCommand::WriteRemote}) {
            const std::string key = name + (command == BoardCommand::WriteLocal ? " L" : " R");
            EXPECT_EQ(hex(encodeBoardFrame(command, state)), golden[key]) << key;
        }
    }
    // The longest frame fits the buffer the exchanges reserve for it.
    EXPECT_LE(encodeBoardFrame(BoardCommand::WriteRemote, escaped).size(), MAX_FRAME_SIZE);
}

TEST(WireFormat, DecodesWholeRepliesOnlyLaterItemsWinning) {
    using P = ReplyProblem;
    // The malformed replies start with good items, so a decoder that stores as it goes shows.
    const std::vector<uint8_t> good = {0x00, 0, 1, 0x07, 0, 1, 2, 3, 4, 5, 6, 7};
    const struct {
        const char* name;
        std::vector<uint8_t> items;
        P problem;
        std::function<void(ProgramState&)> expect;  // changes from the marker tables
    } cases[] = {
        {"every item",
         {0x00, 0,    1, 0x01, 0,    4, 0x03, 0,    0x00, 0x01, 0xC2, 0x00, 0x04, 0,
          1,    0x05, 0, 9,    0x06, 0, 0x01, 0x90, 0x07, 7,    6,    5,    4,    3,
          2,    1,    0, 0x08, 3,    3, 3,    3,    3,    3,    3,    3},
         P::None,
         [](auto& s) {
             s.localPortTable[0] = {1, 4, 115200, 1, 9, 400};
             s.portRouting = {7, 6, 5, 4, 3, 2, 1, 0};
             s.channelPortMap = {3, 3, 3, 3, 3, 3, 3, 3};
         }},
        {"0x33 is a value",
         {0x00, 3, 0x33},
         P::None,
         [](auto& s) { s.localPortTable[3].enabled = 0x33; }},
        {"second rate wins",
         {0x03, 3, 0, 0, 0x25, 0x80, 0x03, 3, 0, 0, 0x4B, 0x00},
         P::None,
         [](auto& s) { s.localPortTable[3].baudrate = 19200; }},
        {"bytes sign-extend",
         {0x00, 3,    0xFF, 0x01, 3,    0x80, 0x03, 3,    0xFF, 0xFF, 0xFF,
          0xFE, 0x04, 3,    0xAA, 0x05, 3,    0xFE, 0x06, 3,    0xFF, 0xFF},
         P::None,
         [](auto& s) { s.localPortTable[3] = {-1, -128, -2, int8_t(0xAA - 256), -2, -1}; }},
        {"no items", {}, P::None, nullptr},
        {"tag 0x02", {0x02, 0, 0}, P::UnknownTag, nullptr},
        {"tag 0x09", {0x09, 0, 0}, P::UnknownTag, nullptr},
        {"port 8", {0x00, 8, 1}, P::PortOutOfRange, nullptr},
        {"port 0xFF", {0x06, 0xFF, 0, 1}, P::PortOutOfRange, nullptr},
        {"routing 8", {0x07, 0, 1, 2, 3, 4, 5, 6, 8}, P::ValueOutOfRange, nullptr},
        {"channel port 0xFF", {0x08, 0xFF, 1, 2, 3, 4, 5, 6, 7}, P::ValueOutOfRange, nullptr},
        {"enabled cut", {0x00, 0}, P::ItemCutShort, nullptr},
        {"tag alone", {0x01}, P::ItemCutShort, nullptr},
        {"rate cut", {0x03, 0, 0, 0, 0x25}, P::ItemCutShort, nullptr},
        {"chunksize cut", {0x06, 0, 0}, P::ItemCutShort, nullptr},
        {"routing cut", {0x07, 0, 1, 2, 3, 4, 5, 6}, P::ItemCutShort, nullptr},
        {"channel ports cut", {0x08, 0}, P::ItemCutShort, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> items = c.problem == P::None ? c.items : good;
        if (c.problem != P::None) items.insert(items.end(), c.items.begin(), c.items.end());
        ProgramState decoded, expected;
        fillTablesWithMarkers(decoded);
        fillTablesWithMarkers(expected);
        EXPECT_EQ(decodeConfigurationReply(items.data(), items.size(), decoded.localPortTable,
                                           decoded.portRouting, decoded.channelPortMap),
                  c.problem);
        if (c.expect) c.expect(expected);
        expectSameTables(decoded, expected);
    }
}

}  // namespace
}  // namespace tivra::test
