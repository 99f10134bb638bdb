// The simulated boards: their answers byte for byte, what they refuse, when their answers become
// visible, and every spoiled reply; the request frames they find in the bytes they receive. What
// they take from a write is read back in the link tests.

#include "sim/board_pair.h"

#include <gtest/gtest.h>

#include "link/link_bench.h"
#include "link/wire_format.h"

namespace tivra::sim {
namespace {

struct Pair {
    BoardPair boards;
    uint64_t now = 0;
    Pair() {
        boards.setClock([this] { return now; });
    }

    void send(const std::vector<uint8_t>& bytes) { boards.receive(bytes.data(), bytes.size()); }
    void sendRead(uint8_t command) { send({0x00, 0x05, 0x55, 0xAA, command}); }
    std::vector<uint8_t> answer() {
        std::vector<uint8_t> bytes(boards.waiting());
        boards.take(bytes.data(), bytes.size());
        return bytes;
    }
};

TEST(BoardPair, AnswersReadsExactlyAsTheGoldenOnes) {
    // The factory configuration of either board, and every spoiled reply.
    for (const auto& [request, answer] : test::dataRows("sim/answers.txt")) {
        Pair pair;
        test::arrange(request.substr(2), pair.boards.settings);
        pair.sendRead(uint8_t(request[0] - '0'));
        EXPECT_EQ(test::hex(pair.answer()), answer) << request;
    }
    // A long run keeps only the most recent requests, still numbered from the first.
    Pair pair;
    for (int i = 0; i < 1002; ++i) pair.sendRead(uint8_t(i % 2));
    const RequestLog& log = pair.boards.requests;
    EXPECT_EQ(std::tuple(log.size(), log.kept(), log[1000].command, log[1001].command),
              std::tuple(1002u, RequestLog::KEPT, 0, 1));
}

TEST(BoardPair, RefusesOrIgnoresWhatItCannotTake) {
    for (const auto& [request, answer] : test::dataRows("sim/refused.txt", " =>")) {
        Pair pair;
        const LocalBoard before = pair.boards.localBoard;
        pair.send(test::bytesOf(request));
        EXPECT_EQ(test::hex(pair.answer()), answer == "-" ? "" : answer) << request;
        EXPECT_EQ(pair.boards.localBoard.ports, before.ports);
        EXPECT_EQ(pair.boards.localBoard.routing, before.routing);
    }
}

// The boards' clock: on a serial line answers are due by time alone and a new request supersedes
// one not yet answered (through the bridge library the checks count too: BoardExchange); a half
// frame is dropped after the inter-byte time-out.
TEST(BoardPair, OnASerialLineAnswersAreDueByTimeAloneAndHalfFramesTimeOut) {
    Pair line;
    line.boards.setCountQueueChecks(false);
    test::arrange("ready 50 10", line.boards.settings);
    line.sendRead(0);
    line.sendRead(1);
    EXPECT_TRUE(line.boards.answerPending());
    line.now = 10;
    EXPECT_EQ(line.answer().size(), 179u);

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

// Finding request frames in the byte stream the boards receive.

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
        const auto list = [](const auto& bytes) { return bytes.empty() ? "-" : test::hex(bytes); };
        EXPECT_EQ(
            list(commands) + " | " + list(items) + " | " + std::to_string(parser.malformedFrames()),
            expected)
            << stream;
    }
}

}  // namespace
}  // namespace tivra::sim
