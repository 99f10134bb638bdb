// The request/answer exchanges: every row of the failure tables for both boards, the exact
// library dialogue, the waiting rule, leftovers on the line, and the two buttons when a board
// fails (their whole runs: SerialEndToEnd).

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <utility>

#include "link_bench.h"

namespace tivra::test {
namespace {

using F = sim::ReplyFault;

// The tables write the calls after discovery as "flush; REQ; check; read(3)": REQ is the
// exchange's request or frame, "check xN" N checks in a row, and "read(L|R)" reads L bytes from
// the LocalBoard or R from the RemoteBoard. A failed call ends in " -> 255".
Calls expand(const std::string& shorthand, const std::string& request, bool local) {
    const std::pair<std::string, std::string> words[] = {
        {"flush", "flushBuffers(1, 1)"}, {"check", "checkRxQueue"}, {"REQ", request}};
    Calls calls;
    std::istringstream in(shorthand);
    for (std::string c; std::getline(in >> std::ws, c, ';');) {
        if (c.starts_with("check x")) {
            calls.insert(calls.end(), std::stoul(c.substr(7)), "checkRxQueue");
            continue;
        }
        for (const auto& [word, call] : words)
            if (c.rfind(word, 0) == 0) c = call + c.substr(word.size());
        if (const size_t bar = c.find('|'); bar != std::string::npos)
            c = local ? c.substr(0, bar) + c.substr(c.find(')'))
                      : c.substr(0, c.find('(') + 1) + c.substr(bar + 1);
        calls.push_back(c);
    }
    return calls;
}

using Bytes = std::vector<uint8_t>;
using C = BridgeCall;
using Arrange = std::function<void(sim::SimSettings&)>;

Arrange failing(BridgeCall call, uint32_t occurrence) {
    return [=](sim::SimSettings& s) { s.failingCalls = {{call, occurrence}}; };
}
Arrange spoiled(sim::ReplyFault fault) {
    return [=](sim::SimSettings& s) { s.replyFault = fault; };
}
Arrange answering(const Bytes& bytes) {
    return [=](sim::SimSettings& s) { s.answerWith = bytes; };
}
Arrange readyAfter(uint32_t checks, uint32_t ms) {
    return [=](sim::SimSettings& s) { s.readyAfterChecks = checks, s.readyAfterMs = ms; };
}

// A row of the failure tables, run against a fresh link to either board.
struct Case {
    const char* name;
    Arrange sim;  // applied once the link is open
    std::string calls;
    std::string box;  // "" for success
    uint32_t pauses;
    bool takes = false;  // a read stored the answer's tables; a write's table is on the board
};

TEST(BoardExchange, EveryOutcomeForBothBoards) {
    const std::string replied = "flush; REQ; check; read(3)";
    const std::string answered = "flush; REQ; check; read(2)";
    const std::string unanswered = "flush; REQ; check x201";
    const std::vector<Case> reads = {
        {"success", [](auto&) {}, replied + "; read(194|176)", "", 1, true},
        // The waiting rule: the 200th check is the last; each one is followed by 10 ms.
        {"ready at check 2", readyAfter(2, 0), "flush; REQ; check x2; read(3); read(194|176)", "",
         2, true},
        {"ready at check 200", readyAfter(200, 0), "flush; REQ; check x200; read(3); read(194|176)",
         "", 200, true},
        {"ready at check 201", readyAfter(201, 0), unanswered, READ_FAILED, 201},
        {"ready after 1990 ms", readyAfter(0, 1990),
         "flush; REQ; check x200; read(3); read(194|176)", "", 200, true},
        {"ready after 1991 ms", readyAfter(0, 1991), unanswered, READ_FAILED, 201},
        {"empty reply", spoiled(F::Empty), replied, "", 1},
        {"flush fails", failing(C::FlushBuffers, 2), "flush -> 255", CHECK_CABLES, 0},
        {"write fails", failing(C::Write, 0), "flush; REQ -> 255", WRITE_DATA_FAILED, 0},
        {"short write", [](auto& s) { s.shortWrite = true; }, "flush; REQ", WRITE_DATA_FAILED, 0},
        {"third queue check fails",
         [](auto& s) {
             s.failingCalls = {{C::CheckRxQueue, 3}};
             s.readyAfterChecks = 5;
         },
         "flush; REQ; check; check; check -> 255", READ_FAILED, 2},
        {"no answer", [](auto& s) { s.answers = false; }, unanswered, READ_FAILED, 201},
        {"bytes wait, queue not ready", [](auto& s) { s.queueStatus = 1; }, unanswered, READ_FAILED,
         201},
        {"only 2 bytes arrive", answering(Bytes{0x55, 0xAA}), unanswered, READ_FAILED, 201},
        {"head read fails", failing(C::Read, 1), replied + " -> 255", READ_FAILED, 1},
        {"head read short", [](auto& s) { s.shortReadOccurrence = 1; }, replied, READ_FAILED, 1},
        // Either byte of the head alone makes it no reply.
        {"head 55 00", answering(Bytes{0x55, 0x00, 0x00}), replied, READ_FAILED, 1},
        {"head 00 AA", answering(Bytes{0x00, 0xAA, 0x00}), replied, READ_FAILED, 1},
        {"item read fails", failing(C::Read, 2), replied + "; read(194|176) -> 255", READ_FAILED,
         1},
        {"item read short", [](auto& s) { s.shortReadOccurrence = 2; }, replied + "; read(194|176)",
         READ_FAILED, 1},
        {"fewer items than N", spoiled(F::LengthBeyondItems), replied + "; read(204|186)",
         READ_FAILED, 1},
        {"tag 0x02", spoiled(F::UnknownTag), replied + "; read(197|179)", READ_FAILED, 1},
        {"port 8", spoiled(F::PortOutOfRange), replied + "; read(194|176)", READ_FAILED, 1},
        {"routing 8", spoiled(F::RoutingOutOfRange), replied + "; read(194|185)", READ_FAILED, 1},
        {"channel port 8", spoiled(F::ChannelPortOutOfRange), replied + "; read(194|185)",
         READ_FAILED, 1},
        {"item cut short", spoiled(F::ItemCutShort), replied + "; read(193|175)", READ_FAILED, 1},
    };
    const std::vector<Case> writes = {
        {"success", [](auto&) {}, answered, "", 1, true},
        {"ready at check 2", readyAfter(2, 0), "flush; REQ; check x2; read(2)", "", 2, true},
        {"ready at check 200", readyAfter(200, 0), "flush; REQ; check x200; read(2)", "", 200,
         true},
        {"ready at check 201", readyAfter(201, 0), unanswered, WRITE_FAILED, 201, true},
        {"ready after 1990 ms", readyAfter(0, 1990), "flush; REQ; check x200; read(2)", "", 200,
         true},
        {"ready after 1991 ms", readyAfter(0, 1991), unanswered, WRITE_FAILED, 201, true},
        {"flush fails", failing(C::FlushBuffers, 2), "flush -> 255", CHECK_CABLES, 0},
        {"write fails", failing(C::Write, 0), "flush; REQ -> 255", WRITE_DATA_FAILED, 0},
        {"short write", [](auto& s) { s.shortWrite = true; }, "flush; REQ", WRITE_DATA_FAILED, 0},
        {"queue check fails", failing(C::CheckRxQueue, 0), "flush; REQ; check -> 255", WRITE_FAILED,
         0, true},
        {"no answer", [](auto& s) { s.answers = false; }, unanswered, WRITE_FAILED, 201, true},
        {"one byte only", answering(Bytes{0x55}), unanswered, WRITE_FAILED, 201, true},
        {"read fails", failing(C::Read, 1), answered + " -> 255", WRITE_FAILED, 1, true},
        {"read short", [](auto& s) { s.shortReadOccurrence = 1; }, answered, WRITE_FAILED, 1, true},
        // Either byte of the acknowledgement alone makes it a refusal.
        {"refused with 55 00", [](auto& s) { s.negativeAcknowledge = true; }, answered,
         WRITE_FAILED, 1},
        {"answered 00 AA", answering(Bytes{0x00, 0xAA}), answered, WRITE_FAILED, 1, true},
    };
    for (const BoardCommand command : {BoardCommand::ReadLocal, BoardCommand::ReadRemote,
                                       BoardCommand::WriteLocal, BoardCommand::WriteRemote}) {
        const bool read = isReadCommand(command);
        const bool local =
            command == BoardCommand::ReadLocal || command == BoardCommand::WriteLocal;
        for (const Case& c : read ? reads : writes) {
            SCOPED_TRACE(std::string(c.name) + " in command " + std::to_string(int(command)));
            LinkBench bench;
            bench.openLink();
            fillTablesWithMarkers(bench.state);
            bench.show(sampleConfiguration());
            c.sim(bench.settings());
            const sim::BoardPair before = bench.boards;
            EXPECT_EQ(read ? readBoardConfiguration(bench.context, command)
                           : writeBoardConfiguration(bench.context, command),
                      c.box.empty() ? 0 : -1);
            const std::string request = !read   ? frameWrite(command, bench.state)
                                        : local ? READ_LOCAL_REQUEST
                                                : READ_REMOTE_REQUEST;
            EXPECT_EQ(bench.bridge.calls, expand(c.calls, request, local));
            EXPECT_EQ(bench.pause.pauses, c.pauses);
            EXPECT_EQ(bench.pause.nowMs, 10u * c.pauses);
            const std::string success = read ? (local ? LOCAL_READ : REMOTE_READ)
                                             : (local ? LOCAL_WRITTEN : REMOTE_WRITTEN);
            EXPECT_EQ(bench.ui.boxes(), Calls{c.box.empty() ? success : c.box});
            const sim::LocalBoard& board = bench.boards.localBoard;
            const PortTable& boardPorts = local ? board.ports : bench.boards.remoteBoard.ports;
            if (!read) {
                const PortTable& sent =
                    local ? bench.state.localPortTable : bench.state.remotePortTable;
                const auto& old = local ? before.localBoard.ports : before.remoteBoard.ports;
                EXPECT_EQ(boardPorts, c.takes ? sent : old);
                continue;
            }
            // A whole answer is stored: the board's table, and from the LocalBoard the joining.
            ProgramState expected;
            fillTablesWithMarkers(expected);
            if (c.takes) (local ? expected.localPortTable : expected.remotePortTable) = boardPorts;
            if (c.takes && local) {
                expected.portRouting = board.routing;
                expected.channelPortMap = board.channelPorts;
            }
            expectSameTables(bench.state, expected);
        }
    }
}

TEST(BoardRead, ARemoteReplyMayOverwriteTheJoining) {
    LinkBench bench;
    bench.openLink();
    ASSERT_EQ(readBoardConfiguration(bench.context, BoardCommand::ReadLocal), 0);
    bench.settings().answerWith =
        std::vector<uint8_t>{0x55, 0xAA, 0x09, 0x07, 1, 2, 3, 4, 5, 6, 7, 0};
    EXPECT_EQ(readBoardConfiguration(bench.context, BoardCommand::ReadRemote), 0);
    EXPECT_EQ(bench.state.portRouting, (PortRouting{1, 2, 3, 4, 5, 6, 7, 0}));
    EXPECT_EQ(bench.state.channelPortMap, bench.boards.localBoard.channelPorts);
}

TEST(BoardExchange, NothingIsSentForAnInvalidFormOrACommandOfTheOtherKind) {
    LinkBench bench;
    MuxConfiguration bad = factoryConfiguration();
    bad.channel(3).localPort = 0;  // channel 1 already uses local port 1
    bench.show(bad);
    // Refused silently: validation, which would speak up, does not even run.
    EXPECT_EQ(readBoardConfiguration(bench.context, BoardCommand::WriteLocal), -1);
    EXPECT_EQ(readBoardConfiguration(bench.context, static_cast<BoardCommand>(7)), -1);
    EXPECT_EQ(writeBoardConfiguration(bench.context, BoardCommand::ReadLocal), -1);
    EXPECT_EQ(writeBoardConfiguration(bench.context, BoardCommand::ReadRemote), -1);
    EXPECT_TRUE(bench.ui.boxes().empty());
    // The button validates before each write and seeks no board.
    EXPECT_EQ(writeConfigurationToBoards(bench.context), -1);
    EXPECT_EQ(bench.ui.boxes(),
              Calls(2, "Local Port Conflict: Check Local Ports On Channels 1 and 3"));
    EXPECT_TRUE(bench.bridge.calls.empty());
}

TEST(Leftovers, AFailedExchangeLeavesNothingForTheNext) {
    // Spoiled ReadLocal answers, each followed by a ReadRemote.
    const struct {
        const char* name;
        Arrange sim;
        int32_t firstResult;
    } cases[] = {
        {"bad head", spoiled(F::BadHead), -1},
        {"reply that looks like another after the answer",
         [](auto& s) { s.strayBytes = {0x55, 0xAA, 0x03, 0x00, 0x00, 0x01}; }, 0},
        {"answer after the wait ended", [](auto& s) { s.readyAfterChecks = 300; }, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LinkBench bench;
        bench.openLink();
        c.sim(bench.settings());
        bench.settings().faultsOnlyFor = 0;
        EXPECT_EQ(readBoardConfiguration(bench.context, BoardCommand::ReadLocal), c.firstResult);
        bench.forget();
        // The next exchange starts with a flush and takes only its own answer.
        EXPECT_EQ(readBoardConfiguration(bench.context, BoardCommand::ReadRemote), 0);
        EXPECT_EQ(bench.bridge.calls.front(), "flushBuffers(1, 1)");
        EXPECT_EQ(bench.bridge.calls.back(), "read(176)");
        EXPECT_EQ(bench.state.remotePortTable, bench.boards.remoteBoard.ports);
        EXPECT_EQ(bench.boards.waiting(), 0u);
    }
}

TEST(Buttons, NoBoardAttached) {
    LinkBench bench;
    bench.settings().devices.clear();
    bench.show(sampleConfiguration());
    EXPECT_EQ(readConfigurationFromBoards(bench.context), -1);
    // Once per board; nothing was read, so the operator's form and record are left alone.
    EXPECT_EQ(bench.ui.boxes(), Calls(2, NO_BOARD));
    EXPECT_EQ(bench.bridge.calls, Calls(2, "getNumDevices"));
    EXPECT_EQ(bench.state.configuration, MuxConfiguration{});
    EXPECT_EQ(bench.shown(), sampleConfiguration());

    bench.forget();
    EXPECT_EQ(writeConfigurationToBoards(bench.context), -1);
    EXPECT_EQ(bench.ui.boxes(), Calls(2, NO_BOARD));
    EXPECT_EQ(bench.bridge.calls, Calls(2, "getNumDevices"));
    EXPECT_FALSE(bench.state.link.boardLinkOpen);
}

TEST(Buttons, ARefusedLocalWriteStillWritesTheRemoteBoard) {
    LinkBench bench;
    bench.show(sampleConfiguration());
    bench.settings().negativeAcknowledge = true;
    bench.settings().faultsOnlyFor = static_cast<uint8_t>(BoardCommand::WriteLocal);
    EXPECT_EQ(writeConfigurationToBoards(bench.context), -1);
    EXPECT_EQ(bench.ui.boxes(), (Calls{WRITE_FAILED, REMOTE_WRITTEN}));
    EXPECT_EQ(bench.boards.remoteBoard.ports, bench.state.remotePortTable);
    EXPECT_NE(bench.boards.localBoard.ports, bench.state.localPortTable);
}

TEST(Buttons, AFailedLocalReadStillReadsTheRemoteBoardAndRebuilds) {
    LinkBench bench;
    bench.settings().replyFault = F::BadHead;
    bench.settings().faultsOnlyFor = static_cast<uint8_t>(BoardCommand::ReadLocal);
    bench.boards.remoteBoard.ports[0].sensorType = 2;  // disagrees with the (zero) local table
    EXPECT_EQ(readConfigurationFromBoards(bench.context), -1);
    EXPECT_EQ(bench.ui.boxes(), (Calls{READ_FAILED, REMOTE_READ,
                                       "Alert: Configuration problem - reconfigure system"}));
}

}  // namespace
}  // namespace tivra::test
