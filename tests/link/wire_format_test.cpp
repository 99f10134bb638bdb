// The bytes of write frames and the reading of replies (read requests: the exchange tests).

#include "link/wire_format.h"

#include <gtest/gtest.h>

#include <functional>

#include "link/recording_bridge.h"
#include "link_bench.h"

namespace tivra::test {
namespace {

std::string hex(const std::vector<uint8_t>& bytes) {
    return hexBytes(bytes.data(), bytes.size());
}

TEST(WireFormat, AllZeroWriteLocalFrame) {
    ProgramState state;  // zero tables, zero record
    const std::vector<uint8_t> frame = encodeBoardFrame(BoardCommand::WriteLocal, state);
    ASSERT_EQ(frame.size(), 199u);
    EXPECT_EQ(hex({frame.begin(), frame.begin() + 17}),
              "00 C7 55 AA 03 00 00 00 01 00 00 03 00 00 00 00 00");
    std::string blocks;
    for (int p = 0; p < 8; ++p) {
        const std::string port = "0" + std::to_string(p);
        blocks += (p ? " " : "") + std::string("00 ") + port + " 00 01 " + port + " 00 03 " + port +
                  " 00 00 00 00 04 " + port + " 00 05 " + port + " 00 06 " + port + " 00 00";
    }
    EXPECT_EQ(hex({frame.begin() + 5, frame.begin() + 181}), blocks);
    EXPECT_EQ(hex({frame.begin() + 181, frame.end()}),
              "07 00 00 00 00 00 00 00 00 08 00 00 00 00 00 00 00 00");
}

TEST(WireFormat, WriteFrameCarriesEveryFieldMostSignificantByteFirst) {
    ProgramState state;
    state.localPortTable[2] = {1, 4, 0x0001C200, 1, 3, 0x0190};  // 115200, chunksize 400
    state.remotePortTable[2] = {0, 2, 9600, 0, 7, 5};
    state.portRouting = {7, 6, 5, 4, 3, 2, 1, 0};
    for (int n = 1; n <= 8; ++n) state.configuration.channel(n).localPort = int8_t(8 - n);
    state.channelPortMap = {1, 1, 1, 1, 1, 1, 1, 1};  // a read's report never goes back out

    const auto local = encodeBoardFrame(BoardCommand::WriteLocal, state);
    ASSERT_EQ(local.size(), 199u);
    EXPECT_EQ(hex({local.begin() + 5 + 2 * 22, local.begin() + 5 + 3 * 22}),
              "00 02 01 01 02 04 03 02 00 01 C2 00 04 02 01 05 02 03 06 02 01 90");
    EXPECT_EQ(hex({local.begin() + 181, local.end()}),
              "07 07 06 05 04 03 02 01 00 08 07 06 05 04 03 02 01 00");

    const auto remote = encodeBoardFrame(BoardCommand::WriteRemote, state);
    EXPECT_EQ(hex({remote.begin(), remote.begin() + 5}), "00 C7 55 AA 02");
    EXPECT_EQ(hex({remote.begin() + 5 + 2 * 22, remote.begin() + 5 + 3 * 22}),
              "00 02 00 01 02 02 03 02 00 00 25 80 04 02 00 05 02 07 06 02 00 05");
    EXPECT_EQ(hex({remote.begin() + 181, remote.end()}),
              "07 07 06 05 04 03 02 01 00 08 07 06 05 04 03 02 01 00");
}

TEST(WireFormat, EscapesLengthenTheFrameButNotItsLengthByte) {
    struct Case {
        int16_t chunksize;
        std::string item;  // as sent for port 3
        size_t escapes;
    };
    for (const Case& c : {Case{51, "06 03 00 33 33", 1}, Case{170, "06 03 00 33 AA", 1},
                          Case{0x33AA, "06 03 33 33 33 AA", 2}, Case{0x3400, "06 03 34 00", 0}}) {
        SCOPED_TRACE(c.item);
        ProgramState state;
        state.localPortTable[3].chunksize = c.chunksize;
        const auto frame = encodeBoardFrame(BoardCommand::WriteLocal, state);
        EXPECT_EQ(frame[1], 0xC7);
        EXPECT_EQ(frame.size(), 199u + c.escapes);
        EXPECT_NE(hex(frame).find("04 03 00 05 03 00 " + c.item + " 00 04"), std::string::npos);
    }
}

TEST(WireFormat, EveryAaAnd33IsEscapedWhereverItStands) {
    ProgramState state;
    for (size_t p = 0; p < 8; ++p)
        state.localPortTable[p] = {int8_t(0xAA - 256), 0x33,           int32_t(0xAA33AA33), 0x33,
                                   int8_t(0xAA - 256), int16_t(0x33AA)};
    state.portRouting.fill(0xAA);
    for (auto& c : state.configuration.channels) c.localPort = 0x33;
    const auto frame = encodeBoardFrame(BoardCommand::WriteLocal, state);
    // Every byte after the command except tags and port numbers is a value to escape: 8 blocks
    // of 10 value bytes plus 16 list bytes.
    EXPECT_EQ(frame.size(), 199u + 8 * 10 + 16);
    EXPECT_EQ(frame[1], 0xC7);
    // No lone 0xAA or 0x33 after the start marks.
    for (size_t i = 4; i < frame.size(); ++i) {
        const bool escape = frame[i] == FRAME_ESCAPE;
        const uint8_t next = escape ? frame.at(++i) : 0;
        EXPECT_TRUE(escape ? next == 0x33 || next == 0xAA : frame[i] != 0xAA) << i;
    }
    // The longest frame fits the buffer the exchanges reserve for it.
    state.remotePortTable = state.localPortTable;
    EXPECT_LE(encodeBoardFrame(BoardCommand::WriteRemote, state).size(), MAX_FRAME_SIZE);
}

// --- decoding -------------------------------------------------------------------------

struct Decoded {
    ReplyProblem problem;
    ProgramState state;
};

Decoded decode(const std::vector<uint8_t>& items) {
    Decoded d{ReplyProblem::None, {}};
    fillTablesWithMarkers(d.state);
    d.problem = decodeConfigurationReply(items.data(), items.size(), d.state.localPortTable,
                                         d.state.portRouting, d.state.channelPortMap);
    return d;
}

TEST(WireFormat, DecodesItemsAsTheyComeLaterOnesWinning) {
    const struct {
        const char* name;
        std::vector<uint8_t> items;
        std::function<void(ProgramState&)> expect;  // changes from the marker tables
    } cases[] = {
        {"every item",
         {0x00, 0,    1, 0x01, 0,    4, 0x03, 0,    0x00, 0x01, 0xC2, 0x00, 0x04, 0,
          1,    0x05, 0, 9,    0x06, 0, 0x01, 0x90, 0x07, 7,    6,    5,    4,    3,
          2,    1,    0, 0x08, 3,    3, 3,    3,    3,    3,    3,    3},
         [](auto& s) {
             s.localPortTable[0] = {1, 4, 115200, 1, 9, 400};
             s.portRouting = {7, 6, 5, 4, 3, 2, 1, 0};
             s.channelPortMap = {3, 3, 3, 3, 3, 3, 3, 3};
         }},
        {"0x33 is a value", {0x00, 3, 0x33}, [](auto& s) { s.localPortTable[3].enabled = 0x33; }},
        {"second rate wins",
         {0x03, 3, 0, 0, 0x25, 0x80, 0x03, 3, 0, 0, 0x4B, 0x00},
         [](auto& s) { s.localPortTable[3].baudrate = 19200; }},
        {"bytes sign-extend",
         {0x00, 3,    0xFF, 0x01, 3,    0x80, 0x03, 3,    0xFF, 0xFF, 0xFF,
          0xFE, 0x04, 3,    0xAA, 0x05, 3,    0xFE, 0x06, 3,    0xFF, 0xFF},
         [](auto& s) { s.localPortTable[3] = {-1, -128, -2, int8_t(0xAA - 256), -2, -1}; }},
        {"no items", {}, [](auto&) {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Decoded d = decode(c.items);
        ASSERT_EQ(d.problem, ReplyProblem::None);
        ProgramState expected;
        fillTablesWithMarkers(expected);
        c.expect(expected);
        expectSameTables(d.state, expected);
    }
}

TEST(WireFormat, MalformedRepliesStoreNothing) {
    // Each reply starts with good items, so a decoder that stores as it goes would show it.
    const std::vector<uint8_t> good = {0x00, 0, 1, 0x07, 0, 1, 2, 3, 4, 5, 6, 7};
    struct Case {
        const char* name;
        std::vector<uint8_t> tail;
        ReplyProblem problem;
    };
    const std::vector<Case> cases = {
        {"tag 0x02", {0x02, 0, 0}, ReplyProblem::UnknownTag},
        {"tag 0x09", {0x09, 0, 0}, ReplyProblem::UnknownTag},
        {"port 8", {0x00, 8, 1}, ReplyProblem::PortOutOfRange},
        {"port 0xFF", {0x06, 0xFF, 0, 1}, ReplyProblem::PortOutOfRange},
        {"routing 8", {0x07, 0, 1, 2, 3, 4, 5, 6, 8}, ReplyProblem::ValueOutOfRange},
        {"channel port 0xFF", {0x08, 0xFF, 1, 2, 3, 4, 5, 6, 7}, ReplyProblem::ValueOutOfRange},
        {"enabled cut", {0x00, 0}, ReplyProblem::ItemCutShort},
        {"tag alone", {0x01}, ReplyProblem::ItemCutShort},
        {"rate cut", {0x03, 0, 0, 0, 0x25}, ReplyProblem::ItemCutShort},
        {"chunksize cut", {0x06, 0, 0}, ReplyProblem::ItemCutShort},
        {"routing cut", {0x07, 0, 1, 2, 3, 4, 5, 6}, ReplyProblem::ItemCutShort},
        {"channel ports cut", {0x08, 0}, ReplyProblem::ItemCutShort},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> items = good;
        items.insert(items.end(), c.tail.begin(), c.tail.end());
        const Decoded d = decode(items);
        EXPECT_EQ(d.problem, c.problem);
        ProgramState untouched;
        fillTablesWithMarkers(untouched);
        expectSameTables(d.state, untouched);
    }
}

}  // namespace
}  // namespace tivra::test
