// The simulated boards: their answers byte for byte, what they refuse, when their answers become
// visible, and every spoiled reply. What they take from a write is read back in the link tests.

#include "sim/board_pair.h"

#include <gtest/gtest.h>

#include "link/recording_bridge.h"
#include "link/wire_format.h"

namespace tivra::sim {
namespace {

const std::string PORT0_FACTORY =
    "00 00 00 01 00 00 03 00 00 00 E1 00 04 00 00 05 00 01 06 00 00 0A";

class Pair {
  public:
    BoardPair boards;
    uint64_t now = 0;
    Pair() {
        boards.setClock([this] { return now; });
    }

    void send(const std::vector<uint8_t>& bytes) { boards.receive(bytes.data(), bytes.size()); }
    void sendRead(uint8_t command) { send({0x00, 0x05, 0x55, 0xAA, command}); }
    void sendWrite(BoardCommand command, const ProgramState& state) {
        send(encodeBoardFrame(command, state));
    }
    std::vector<uint8_t> answer() {
        std::vector<uint8_t> bytes(boards.waiting());
        boards.take(bytes.data(), bytes.size());
        return bytes;
    }
    std::string hexAnswer() {
        const auto bytes = answer();
        return hexBytes(bytes.data(), bytes.size());
    }
};

std::string hex(const std::vector<uint8_t>& bytes, size_t from, size_t count) {
    return hexBytes(bytes.data() + from, count);
}

TEST(BoardPair, AnswersReadsWithTheFactoryConfiguration) {
    Pair pair;
    pair.sendRead(0);
    const auto local = pair.answer();
    ASSERT_EQ(local.size(), 3u + 194u);
    EXPECT_EQ(hex(local, 0, 3 + 22), "55 AA C2 " + PORT0_FACTORY);
    EXPECT_EQ(hex(local, 3 + 7 * 22, 22 + 18),
              "00 07 00 01 07 00 03 07 00 00 E1 00 04 07 00 05 07 01 06 07 00 0A "
              "07 00 01 02 03 04 05 06 07 08 00 01 02 03 04 05 06 07");
    pair.sendRead(1);
    const auto remote = pair.answer();
    ASSERT_EQ(remote.size(), 3u + 176u);
    EXPECT_EQ(hex(remote, 0, 3 + 22), "55 AA B0 " + PORT0_FACTORY);
    EXPECT_EQ(pair.boards.requests.size(), 2u);
    // A long run keeps only the most recent requests, still numbered from the first.
    for (int i = 0; i < 1000; ++i) pair.sendRead(uint8_t(i % 2));
    EXPECT_EQ(pair.boards.requests.size(), 1002u);
    EXPECT_EQ(pair.boards.requests.kept(), RequestLog::KEPT);
    EXPECT_EQ(pair.boards.requests[1000].command, 0);
    EXPECT_EQ(pair.boards.requests[1001].command, 1);
}

TEST(BoardPair, RefusesOrIgnoresWhatItCannotTake) {
    ProgramState state;
    std::vector<uint8_t> badTag = encodeBoardFrame(BoardCommand::WriteLocal, state);
    badTag[5] = 0x02;  // the first tag
    std::vector<uint8_t> badPort = encodeBoardFrame(BoardCommand::WriteLocal, state);
    badPort[6] = 0x09;
    std::vector<uint8_t> badRouting = encodeBoardFrame(BoardCommand::WriteLocal, state);
    badRouting[182] = 0x08;
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        std::string answer;
    };
    const std::vector<Case> cases = {
        {"unknown tag in a write", badTag, "55 00"},
        {"port 9 in a write", badPort, "55 00"},
        {"routing 8 in a write", badRouting, "55 00"},
        {"read with length 6", {0x00, 0x06, 0x55, 0xAA, 0x00, 0x00}, ""},
        {"write with length 5", {0x00, 0x05, 0x55, 0xAA, 0x03}, ""},
        {"unknown command", {0x00, 0x05, 0x55, 0xAA, 0x04}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pair pair;
        const LocalBoard before = pair.boards.localBoard;
        pair.send(c.bytes);
        EXPECT_EQ(pair.hexAnswer(), c.answer);
        EXPECT_EQ(pair.boards.localBoard.ports, before.ports);
        EXPECT_EQ(pair.boards.localBoard.routing, before.routing);
    }
}

TEST(BoardPair, SpoiledReplies) {
    struct Case {
        const char* name;
        ReplyFault fault;
        uint8_t command;
        // Checked on the whole answer: its size, its first bytes, and bytes at an offset.
        size_t size;
        std::string head;
        size_t at;
        std::string there;
    };
    const std::vector<Case> cases = {
        {"bad head", ReplyFault::BadHead, 0, 197, "AA 55 C2", 3, PORT0_FACTORY},
        {"item cut short", ReplyFault::ItemCutShort, 0, 196, "55 AA C1", 188,
         "08 00 01 02 03 04 05 06"},
        {"unknown tag", ReplyFault::UnknownTag, 0, 200, "55 AA C5", 3, "02 00 00 00 00 00"},
        {"port out of range", ReplyFault::PortOutOfRange, 1, 179, "55 AA B0", 3, "00 08 00 01 00"},
        {"routing out of range", ReplyFault::RoutingOutOfRange, 0, 197, "55 AA C2", 179,
         "07 08 01 02 03 04 05 06 07 08 00"},
        {"channel port out of range", ReplyFault::ChannelPortOutOfRange, 0, 197, "55 AA C2", 188,
         "08 08 01 02 03 04 05 06 07"},
        {"length beyond the items", ReplyFault::LengthBeyondItems, 0, 197, "55 AA CC", 3,
         PORT0_FACTORY},
        {"empty", ReplyFault::Empty, 1, 3, "55 AA 00", 3, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pair pair;
        pair.boards.settings.replyFault = c.fault;
        pair.sendRead(c.command);
        const auto bytes = pair.answer();
        ASSERT_EQ(bytes.size(), c.size);
        EXPECT_EQ(hex(bytes, 0, 3), c.head);
        const size_t count = (c.there.size() + 1) / 3;
        ASSERT_LE(c.at + count, bytes.size());
        EXPECT_EQ(hex(bytes, c.at, count), c.there);
    }
}

TEST(BoardPair, AnswersBecomeVisibleWhenDue) {
    // Through the bridge library both the checks and the time must have come.
    Pair pair;
    pair.boards.settings.readyAfterChecks = 3;
    pair.boards.settings.readyAfterMs = 25;
    pair.sendRead(1);
    for (int check = 1; check <= 3; ++check) pair.boards.noteQueueCheck();
    EXPECT_EQ(pair.boards.waiting(), 0u);
    pair.now = 25;
    EXPECT_EQ(pair.boards.waiting(), 179u);

    // On a serial line only time counts; a new request supersedes an answer not yet sent.
    Pair line;
    line.boards.setCountQueueChecks(false);
    line.boards.settings.readyAfterChecks = 50;
    line.boards.settings.readyAfterMs = 10;
    line.sendRead(0);
    line.sendRead(1);
    EXPECT_TRUE(line.boards.answerPending());
    line.now = 10;
    EXPECT_EQ(line.answer().size(), 179u);
}

TEST(BoardPair, StrayBytesAndFaultsForOneCommand) {
    Pair pair;
    pair.boards.settings.strayBytes = {0xDE, 0xAD};
    pair.boards.settings.answers = false;
    pair.boards.settings.faultsOnlyFor = 3;
    pair.sendRead(1);
    EXPECT_EQ(pair.answer().size(), 179u);  // the faults concern WriteLocal only
    pair.sendWrite(BoardCommand::WriteLocal, ProgramState{});
    EXPECT_EQ(pair.answer().size(), 0u);
    pair.boards.settings.answers = true;
    pair.sendWrite(BoardCommand::WriteLocal, ProgramState{});
    EXPECT_EQ(pair.hexAnswer(), "55 AA DE AD");
}

TEST(BoardPair, AHalfFrameIsDroppedAfterTheInterByteTimeOut) {
    Pair pair;
    pair.send({0x00, 0xC7, 0x55, 0xAA, 0x03, 0x00, 0x00});
    pair.now = 101;
    pair.sendRead(0);
    EXPECT_EQ(pair.answer().size(), 197u);

    // Within the time-out the frame goes on where it was.
    Pair slow;
    slow.send({0x00, 0x05, 0x55});
    slow.now = 100;
    slow.send({0xAA, 0x01});
    EXPECT_EQ(slow.answer().size(), 179u);
}

}  // namespace
}  // namespace tivra::sim
