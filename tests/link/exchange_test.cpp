// The request/answer exchanges: every row of the failure tables for both boards, the exact
// library dialogue, and the two button sequences.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "config/form_transfer.h"
#include "link/wire_format.h"
#include "link_bench.h"

namespace tivra::test {
namespace {

const std::string NO_BOARD = "No Local Board Found: Check USB cable and retry";
const std::string CHECK_CABLES = "USB Fault : Please Check Cables";
const std::string WRITE_DATA_FAILED = "USB Fault : Failed to write data";
const std::string READ_FAILED = "USB Fault : Failed to read configuration data";
const std::string WRITE_FAILED = "USB Fault : Failed to write configuration data";
const std::string LOCAL_READ = "Success: Local configuration data read";
const std::string REMOTE_READ = "Success: Remote configuration data read";
const std::string LOCAL_WRITTEN = "Success: Local configuration data written";
const std::string REMOTE_WRITTEN = "Success: Remote configuration data written";

std::vector<std::string> repeated(const std::string& call, size_t times) {
    return std::vector<std::string>(times, call);
}

void expectTablesUnchanged(const ProgramState& state) {
    ProgramState markers;
    fillTablesWithMarkers(markers);
    EXPECT_EQ(state.localPortTable, markers.localPortTable);
    EXPECT_EQ(state.remotePortTable, markers.remotePortTable);
    EXPECT_EQ(state.portRouting, markers.portRouting);
    EXPECT_EQ(state.channelPortMap, markers.channelPortMap);
}

// --- reads ---------------------------------------------------------------------------------

struct ReadCase {
    const char* name;
    std::function<void(LinkBench&)> arrange;
    // The calls after discovery, given the request and the reply's usual item count.
    std::function<std::vector<std::string>(const std::string& request, size_t items)> calls;
    std::string box;  // "" for success
    uint32_t pauses;
};

TEST(BoardRead, EveryOutcomeForBothBoards) {
    using C = std::vector<std::string>;
    auto start = [](const std::string& request) {
        return C{"flushBuffers(1, 1)", request, "checkRxQueue"};
    };
    auto items = [](size_t n) { return "read(" + std::to_string(n) + ")"; };
    const std::vector<ReadCase> cases = {
        {"success", [](LinkBench&) {},
         [&](auto& r, size_t n) {
             return joined(start(r), {"read(3)", items(n)});
         },
         "", 1},
        {"flush fails", [](LinkBench& b) { b.failCall(BridgeCall::FlushBuffers, 2); },
         [](auto&, size_t) { return C{"flushBuffers(1, 1) -> 255"}; }, CHECK_CABLES, 0},
        {"write fails", [](LinkBench& b) { b.failCall(BridgeCall::Write); },
         [](auto& r, size_t) {
             return C{"flushBuffers(1, 1)", r + " -> 255"};
         },
         WRITE_DATA_FAILED, 0},
        {"short write", [](LinkBench& b) { b.settings().shortWrite = true; },
         [](auto& r, size_t) {
             return C{"flushBuffers(1, 1)", r};
         },
         WRITE_DATA_FAILED, 0},
        {"queue check fails", [](LinkBench& b) { b.failCall(BridgeCall::CheckRxQueue); },
         [](auto& r, size_t) {
             return C{"flushBuffers(1, 1)", r, "checkRxQueue -> 255"};
         },
         READ_FAILED, 0},
        {"queue check fails later",
         [](LinkBench& b) {
             b.settings().readyAfterChecks = 5;
             b.failCall(BridgeCall::CheckRxQueue, 3);
         },
         [](auto& r, size_t) {
             return C{"flushBuffers(1, 1)", r, "checkRxQueue", "checkRxQueue",
                      "checkRxQueue -> 255"};
         },
         READ_FAILED, 2},
        {"no answer", [](LinkBench& b) { b.settings().answers = false; },
         [](auto& r, size_t) {
             return joined({"flushBuffers(1, 1)", r}, repeated("checkRxQueue", 201));
         },
         READ_FAILED, 201},
        {"bytes wait but the queue is not ready",
         [](LinkBench& b) { b.settings().queueStatus = 1; },
         [](auto& r, size_t) {
             return joined({"flushBuffers(1, 1)", r}, repeated("checkRxQueue", 201));
         },
         READ_FAILED, 201},
        {"fewer than 3 bytes ever arrive",
         [](LinkBench& b) {
             b.settings().answerWith = std::vector<uint8_t>{0x55, 0xAA};
         },
         [](auto& r, size_t) {
             return joined({"flushBuffers(1, 1)", r}, repeated("checkRxQueue", 201));
         },
         READ_FAILED, 201},
        {"head read fails", [](LinkBench& b) { b.failCall(BridgeCall::Read, 1); },
         [&](auto& r, size_t) { return joined(start(r), {"read(3) -> 255"}); }, READ_FAILED, 1},
        {"head read short", [](LinkBench& b) { b.settings().shortReadOccurrence = 1; },
         [&](auto& r, size_t) { return joined(start(r), {"read(3)"}); }, READ_FAILED, 1},
        {"head not 55 AA", [](LinkBench& b) { b.settings().replyFault = sim::ReplyFault::BadHead; },
         [&](auto& r, size_t) { return joined(start(r), {"read(3)"}); }, READ_FAILED, 1},
        {"item read fails", [](LinkBench& b) { b.failCall(BridgeCall::Read, 2); },
         [&](auto& r, size_t n) {
             return joined(start(r), {"read(3)", items(n) + " -> 255"});
         },
         READ_FAILED, 1},
        {"item read short", [](LinkBench& b) { b.settings().shortReadOccurrence = 2; },
         [&](auto& r, size_t n) {
             return joined(start(r), {"read(3)", items(n)});
         },
         READ_FAILED, 1},
        {"fewer items than N",
         [](LinkBench& b) { b.settings().replyFault = sim::ReplyFault::LengthBeyondItems; },
         [&](auto& r, size_t n) {
             return joined(start(r), {"read(3)", items(n + 10)});
         },
         READ_FAILED, 1},
        {"tag 0x02", [](LinkBench& b) { b.settings().replyFault = sim::ReplyFault::UnknownTag; },
         [&](auto& r, size_t n) {
             return joined(start(r), {"read(3)", items(n + 3)});
         },
         READ_FAILED, 1},
        {"tag 0x09",
         [](LinkBench& b) {
             b.settings().replyFault = sim::ReplyFault::UnknownTag;
             b.settings().unknownTag = 0x09;
         },
         [&](auto& r, size_t n) {
             return joined(start(r), {"read(3)", items(n + 3)});
         },
         READ_FAILED, 1},
        {"port 8", [](LinkBench& b) { b.settings().replyFault = sim::ReplyFault::PortOutOfRange; },
         [&](auto& r, size_t n) {
             return joined(start(r), {"read(3)", items(n)});
         },
         READ_FAILED, 1},
        {"routing 8",
         [](LinkBench& b) { b.settings().replyFault = sim::ReplyFault::RoutingOutOfRange; },
         [&](auto& r, size_t n) {
             return joined(start(r), {"read(3)", items(r == READ_LOCAL_REQUEST ? n : n + 9)});
         },
         READ_FAILED, 1},
        {"channel port 8",
         [](LinkBench& b) { b.settings().replyFault = sim::ReplyFault::ChannelPortOutOfRange; },
         [&](auto& r, size_t n) {
             return joined(start(r), {"read(3)", items(r == READ_LOCAL_REQUEST ? n : n + 9)});
         },
         READ_FAILED, 1},
        {"item cut short",
         [](LinkBench& b) { b.settings().replyFault = sim::ReplyFault::ItemCutShort; },
         [&](auto& r, size_t n) {
             return joined(start(r), {"read(3)", items(n - 1)});
         },
         READ_FAILED, 1},
    };

    for (const BoardCommand command : {BoardCommand::ReadLocal, BoardCommand::ReadRemote}) {
        const bool local = command == BoardCommand::ReadLocal;
        const std::string request = local ? READ_LOCAL_REQUEST : READ_REMOTE_REQUEST;
        const size_t itemCount = local ? 194 : 176;
        for (const ReadCase& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (local ? " (local)" : " (remote)"));
            LinkBench bench;
            bench.openLink();
            fillTablesWithMarkers(bench.state);
            c.arrange(bench);

            const int32_t result = readBoardConfiguration(bench.context, command);
            EXPECT_EQ(result, c.box.empty() ? 0 : -1);
            EXPECT_EQ(bench.bridge.calls, c.calls(request, itemCount));
            EXPECT_EQ(bench.pause.pauses, c.pauses);
            if (!c.box.empty()) {
                EXPECT_EQ(bench.ui.boxes(), std::vector<std::string>{c.box});
                expectTablesUnchanged(bench.state);
                continue;
            }
            EXPECT_EQ(bench.ui.boxes(), std::vector<std::string>{local ? LOCAL_READ : REMOTE_READ});
            // The answering board's table, and from the LocalBoard the joining as well.
            if (local) {
                EXPECT_EQ(bench.state.localPortTable, bench.boards.localBoard.ports);
                EXPECT_EQ(bench.state.portRouting, bench.boards.localBoard.routing);
                EXPECT_EQ(bench.state.channelPortMap, bench.boards.localBoard.channelPorts);
                ProgramState markers;
                fillTablesWithMarkers(markers);
                EXPECT_EQ(bench.state.remotePortTable, markers.remotePortTable);
            } else {
                EXPECT_EQ(bench.state.remotePortTable, bench.boards.remoteBoard.ports);
                ProgramState markers;
                fillTablesWithMarkers(markers);
                EXPECT_EQ(bench.state.localPortTable, markers.localPortTable);
                EXPECT_EQ(bench.state.portRouting, markers.portRouting);
            }
        }
    }
}

TEST(BoardRead, AnEmptyReplySucceedsAndChangesNothing) {
    for (const BoardCommand command : {BoardCommand::ReadLocal, BoardCommand::ReadRemote}) {
        LinkBench bench;
        bench.openLink();
        fillTablesWithMarkers(bench.state);
        bench.settings().replyFault = sim::ReplyFault::Empty;
        EXPECT_EQ(readBoardConfiguration(bench.context, command), 0);
        EXPECT_EQ(bench.bridge.calls.back(), "read(3)");  // nothing more to read
        EXPECT_EQ(bench.ui.boxes().size(), 1u);
        expectTablesUnchanged(bench.state);
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

// --- writes --------------------------------------------------------------------------------

struct WriteCase {
    const char* name;
    std::function<void(LinkBench&)> arrange;
    std::vector<std::string> callsAfterWrite;  // after flush and the frame's write
    std::string box;                           // "" for success
    bool taken;                                // the board now holds the configuration
};

TEST(BoardWrite, EveryOutcomeForBothBoards) {
    const std::vector<WriteCase> cases = {
        {"success", [](LinkBench&) {}, {"checkRxQueue", "read(2)"}, "", true},
        {"queue check fails",
         [](LinkBench& b) { b.failCall(BridgeCall::CheckRxQueue); },
         {"checkRxQueue -> 255"},
         WRITE_FAILED,
         true},
        {"no answer", [](LinkBench& b) { b.settings().answers = false; },
         repeated("checkRxQueue", 201), WRITE_FAILED, true},
        {"one byte only",
         [](LinkBench& b) { b.settings().answerWith = std::vector<uint8_t>{0x55}; },
         repeated("checkRxQueue", 201), WRITE_FAILED, true},
        {"read fails",
         [](LinkBench& b) { b.failCall(BridgeCall::Read, 1); },
         {"checkRxQueue", "read(2) -> 255"},
         WRITE_FAILED,
         true},
        {"read short",
         [](LinkBench& b) { b.settings().shortReadOccurrence = 1; },
         {"checkRxQueue", "read(2)"},
         WRITE_FAILED,
         true},
        {"refused with 55 00",
         [](LinkBench& b) { b.settings().negativeAcknowledge = true; },
         {"checkRxQueue", "read(2)"},
         WRITE_FAILED,
         false},
        {"answered AA 55",
         [](LinkBench& b) {
             b.settings().answerWith = std::vector<uint8_t>{0xAA, 0x55};
         },
         {"checkRxQueue", "read(2)"},
         WRITE_FAILED,
         true},
        {"answered 55 55",
         [](LinkBench& b) {
             b.settings().answerWith = std::vector<uint8_t>{0x55, 0x55};
         },
         {"checkRxQueue", "read(2)"},
         WRITE_FAILED,
         true},
    };
    for (const BoardCommand command : {BoardCommand::WriteLocal, BoardCommand::WriteRemote}) {
        const bool local = command == BoardCommand::WriteLocal;
        for (const WriteCase& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (local ? " (local)" : " (remote)"));
            LinkBench bench;
            bench.openLink();
            bench.show(sampleConfiguration());
            c.arrange(bench);
            const sim::BoardPair before = bench.boards;

            EXPECT_EQ(writeBoardConfiguration(bench.context, command), c.box.empty() ? 0 : -1);
            const auto frame = encodeBoardFrame(command, bench.state);
            EXPECT_EQ(bench.bridge.calls,
                      joined({"flushBuffers(1, 1)",
                              "write(" + hexBytes(frame.data(), frame.size()) + ")"},
                             c.callsAfterWrite));
            const std::string success = local ? LOCAL_WRITTEN : REMOTE_WRITTEN;
            EXPECT_EQ(bench.ui.boxes(), std::vector<std::string>{c.box.empty() ? success : c.box});
            const PortTable& held =
                local ? bench.boards.localBoard.ports : bench.boards.remoteBoard.ports;
            const PortTable& sent =
                local ? bench.state.localPortTable : bench.state.remotePortTable;
            const PortTable& old = local ? before.localBoard.ports : before.remoteBoard.ports;
            EXPECT_EQ(held, c.taken ? sent : old);
        }
    }
}

TEST(BoardWrite, FailuresBeforeTheAnswer) {
    struct Case {
        const char* name;
        std::function<void(LinkBench&)> arrange;
        bool openFirst;
        std::vector<std::string> calls;  // "FRAME" stands for the frame's write
        std::string box;
    };
    const std::vector<Case> cases = {
        {"no board",
         [](LinkBench& b) { b.settings().devices.clear(); },
         false,
         {"getNumDevices"},
         NO_BOARD},
        {"flush fails",
         [](LinkBench& b) { b.failCall(BridgeCall::FlushBuffers, 2); },
         true,
         {"flushBuffers(1, 1) -> 255"},
         CHECK_CABLES},
        {"write fails",
         [](LinkBench& b) { b.failCall(BridgeCall::Write); },
         true,
         {"flushBuffers(1, 1)", "FRAME -> 255"},
         WRITE_DATA_FAILED},
        {"short write",
         [](LinkBench& b) { b.settings().shortWrite = true; },
         true,
         {"flushBuffers(1, 1)", "FRAME"},
         WRITE_DATA_FAILED},
    };
    for (const BoardCommand command : {BoardCommand::WriteLocal, BoardCommand::WriteRemote}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            LinkBench bench;
            if (c.openFirst) bench.openLink();
            bench.show(factoryConfiguration());
            c.arrange(bench);
            const sim::BoardPair before = bench.boards;
            EXPECT_EQ(writeBoardConfiguration(bench.context, command), -1);
            const auto frame = encodeBoardFrame(command, bench.state);
            std::vector<std::string> calls = c.calls;
            for (auto& call : calls)
                if (call.rfind("FRAME", 0) == 0)
                    call = "write(" + hexBytes(frame.data(), frame.size()) + ")" + call.substr(5);
            EXPECT_EQ(bench.bridge.calls, calls);
            EXPECT_EQ(bench.ui.boxes(), std::vector<std::string>{c.box});
            EXPECT_EQ(bench.boards.localBoard.ports, before.localBoard.ports);
            EXPECT_EQ(bench.boards.remoteBoard.ports, before.remoteBoard.ports);
        }
    }
}

TEST(BoardWrite, AnInvalidConfigurationSendsNothingAndSeeksNoBoard) {
    LinkBench bench;
    MuxConfiguration bad = factoryConfiguration();
    bad.channel(3).localPort = 0;  // channel 1 already uses local port 1
    bench.show(bad);
    EXPECT_EQ(writeConfigurationToBoards(bench.context), -1);
    const std::string conflict = "Local Port Conflict: Check Local Ports On Channels 1 and 3";
    EXPECT_EQ(bench.ui.boxes(), (std::vector<std::string>{conflict, conflict}));
    EXPECT_TRUE(bench.bridge.calls.empty());
}

TEST(BoardExchange, CommandsOfTheOtherKindAreRefusedSilently) {
    LinkBench bench;
    MuxConfiguration bad = factoryConfiguration();
    bad.channel(1).enabled = 1;
    bad.channel(1).sensorType = -1;  // validation would speak up if it ran
    bench.show(bad);
    EXPECT_EQ(readBoardConfiguration(bench.context, BoardCommand::WriteLocal), -1);
    EXPECT_EQ(readBoardConfiguration(bench.context, static_cast<BoardCommand>(7)), -1);
    EXPECT_EQ(writeBoardConfiguration(bench.context, BoardCommand::ReadLocal), -1);
    EXPECT_EQ(writeBoardConfiguration(bench.context, BoardCommand::ReadRemote), -1);
    EXPECT_TRUE(bench.ui.boxes().empty());
    EXPECT_TRUE(bench.bridge.calls.empty());
}

// --- the waiting rule ------------------------------------------------------------------------

TEST(WaitingRule, TheTwoHundredthCheckIsTheLast) {
    struct Case {
        uint32_t readyAfterChecks;
        uint32_t readyAfterMs;
        bool taken;
        uint32_t checks;
    };
    const std::vector<Case> cases = {
        {0, 0, true, 1},      {1, 0, true, 1},       {2, 0, true, 2},       {199, 0, true, 199},
        {200, 0, true, 200},  {201, 0, false, 201},  {1000, 0, false, 201}, {0, 1500, true, 151},
        {0, 1990, true, 200}, {0, 1991, false, 201}, {0, 2000, false, 201},
    };
    for (const BoardCommand command : {BoardCommand::ReadLocal, BoardCommand::ReadRemote,
                                       BoardCommand::WriteLocal, BoardCommand::WriteRemote}) {
        for (const Case& c : cases) {
            SCOPED_TRACE("command " + std::to_string(int(command)) + ", after " +
                         std::to_string(c.readyAfterChecks) + " checks / " +
                         std::to_string(c.readyAfterMs) + " ms");
            LinkBench bench;
            bench.openLink();
            bench.show(factoryConfiguration());
            bench.settings().readyAfterChecks = c.readyAfterChecks;
            bench.settings().readyAfterMs = c.readyAfterMs;
            const int32_t result = isReadCommand(command)
                                       ? readBoardConfiguration(bench.context, command)
                                       : writeBoardConfiguration(bench.context, command);
            EXPECT_EQ(result, c.taken ? 0 : -1);
            EXPECT_EQ(bench.queueChecks(), c.checks);
            // Every check is followed by its 10 ms pause, the failing 201st included.
            EXPECT_EQ(bench.pause.pauses, c.checks);
            EXPECT_EQ(bench.pause.nowMs, 10u * c.checks);
        }
    }
}

// --- leftovers -------------------------------------------------------------------------------

TEST(Leftovers, AFailedExchangeLeavesNothingForTheNext) {
    struct Case {
        const char* name;
        std::function<void(sim::SimSettings&)> spoil;  // applied to the ReadLocal answer only
        int32_t firstResult;
    };
    const std::vector<Case> cases = {
        {"bad head", [](auto& s) { s.replyFault = sim::ReplyFault::BadHead; }, -1},
        {"unknown tag", [](auto& s) { s.replyFault = sim::ReplyFault::UnknownTag; }, -1},
        {"reply that looks like another after the answer",
         [](auto& s) { s.strayBytes = {0x55, 0xAA, 0x03, 0x00, 0x00, 0x01}; }, 0},
        {"answer after the wait ended", [](auto& s) { s.readyAfterChecks = 300; }, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LinkBench bench;
        bench.openLink();
        c.spoil(bench.settings());
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

TEST(Leftovers, LineNoiseBeforeARequestIsFlushed) {
    LinkBench bench;
    bench.openLink();
    bench.boards.putInHostQueue({0xAA, 0x55, 0x55, 0xAA, 0x00});
    EXPECT_EQ(readBoardConfiguration(bench.context, BoardCommand::ReadLocal), 0);
    EXPECT_EQ(bench.ui.boxes(), std::vector<std::string>{LOCAL_READ});
}

// --- the buttons -------------------------------------------------------------------------------

TEST(Buttons, FullReadFromAFreshStart) {
    LinkBench bench;
    fillTablesWithMarkers(bench.state);
    EXPECT_EQ(readConfigurationFromBoards(bench.context), 0);
    EXPECT_EQ(bench.ui.boxes(), (std::vector<std::string>{LOCAL_READ, REMOTE_READ}));
    EXPECT_EQ(
        bench.bridge.calls,
        joined(DISCOVERY_CALLS, {"flushBuffers(1, 1)", READ_LOCAL_REQUEST, "checkRxQueue",
                                 "read(3)", "read(194)", "flushBuffers(1, 1)", READ_REMOTE_REQUEST,
                                 "checkRxQueue", "read(3)", "read(176)"}));
    EXPECT_TRUE(bench.state.link.boardLinkOpen);
    // The boards' factory configuration, rebuilt into the record and shown.
    EXPECT_EQ(bench.state.configuration, factoryConfiguration());
    MuxConfiguration shown;
    formToConfiguration(bench.form, shown);
    EXPECT_EQ(shown, factoryConfiguration());
}

TEST(Buttons, FullWriteFromAFreshStart) {
    LinkBench bench;
    bench.show(sampleConfiguration());
    EXPECT_EQ(writeConfigurationToBoards(bench.context), 0);
    EXPECT_EQ(bench.ui.boxes(), (std::vector<std::string>{LOCAL_WRITTEN, REMOTE_WRITTEN}));
    const auto local = encodeBoardFrame(BoardCommand::WriteLocal, bench.state);
    const auto remote = encodeBoardFrame(BoardCommand::WriteRemote, bench.state);
    EXPECT_EQ(local.size(), 201u);  // chunksizes 51 and 170 each need an escape
    EXPECT_EQ(bench.bridge.calls,
              joined(DISCOVERY_CALLS,
                     {"flushBuffers(1, 1)", "write(" + hexBytes(local.data(), local.size()) + ")",
                      "checkRxQueue", "read(2)", "flushBuffers(1, 1)",
                      "write(" + hexBytes(remote.data(), remote.size()) + ")", "checkRxQueue",
                      "read(2)"}));
    EXPECT_EQ(bench.boards.localBoard.ports, bench.state.localPortTable);
    EXPECT_EQ(bench.boards.localBoard.routing, bench.state.portRouting);
    EXPECT_EQ(bench.boards.remoteBoard.ports, bench.state.remotePortTable);
}

TEST(Buttons, WriteThenReadGivesTheConfigurationBack) {
    LinkBench writer;
    writer.show(sampleConfiguration());
    ASSERT_EQ(writeConfigurationToBoards(writer.context), 0);
    const MuxConfiguration written = writer.state.configuration;  // as validation completed it
    EXPECT_EQ(written.channel(2).chunksize, 170);

    // Another program start, reading the same boards.
    LinkBench reader;
    reader.boards.localBoard = writer.boards.localBoard;
    reader.boards.remoteBoard = writer.boards.remoteBoard;
    EXPECT_EQ(readConfigurationFromBoards(reader.context), 0);
    EXPECT_EQ(reader.ui.boxes(), (std::vector<std::string>{LOCAL_READ, REMOTE_READ}));
    EXPECT_EQ(reader.state.configuration, written);
}

TEST(Buttons, NoBoardAttached) {
    LinkBench bench;
    bench.settings().devices.clear();
    bench.show(sampleConfiguration());
    EXPECT_EQ(readConfigurationFromBoards(bench.context), -1);
    // Once per board; nothing was read, so the operator's form and record are left alone.
    EXPECT_EQ(bench.ui.boxes(), (std::vector<std::string>{NO_BOARD, NO_BOARD}));
    EXPECT_EQ(bench.state.configuration, MuxConfiguration{});
    MuxConfiguration shown;
    formToConfiguration(bench.form, shown);
    EXPECT_EQ(shown, sampleConfiguration());

    bench.forget();
    bench.show(factoryConfiguration());
    EXPECT_EQ(writeConfigurationToBoards(bench.context), -1);
    EXPECT_EQ(bench.ui.boxes(), (std::vector<std::string>{NO_BOARD, NO_BOARD}));
    EXPECT_FALSE(bench.state.link.boardLinkOpen);
}

TEST(Buttons, ARefusedLocalWriteStillWritesTheRemoteBoard) {
    LinkBench bench;
    bench.show(sampleConfiguration());
    bench.settings().negativeAcknowledge = true;
    bench.settings().faultsOnlyFor = static_cast<uint8_t>(BoardCommand::WriteLocal);
    EXPECT_EQ(writeConfigurationToBoards(bench.context), -1);
    EXPECT_EQ(bench.ui.boxes(), (std::vector<std::string>{WRITE_FAILED, REMOTE_WRITTEN}));
    EXPECT_EQ(bench.boards.remoteBoard.ports, bench.state.remotePortTable);
    EXPECT_NE(bench.boards.localBoard.ports, bench.state.localPortTable);
}

TEST(Buttons, AFailedLocalReadStillReadsTheRemoteBoardAndRebuilds) {
    LinkBench bench;
    bench.settings().replyFault = sim::ReplyFault::BadHead;
    bench.settings().faultsOnlyFor = static_cast<uint8_t>(BoardCommand::ReadLocal);
    bench.boards.remoteBoard.ports[0].sensorType = 2;  // disagrees with the (zero) local table
    EXPECT_EQ(readConfigurationFromBoards(bench.context), -1);
    EXPECT_EQ(bench.ui.boxes(),
              (std::vector<std::string>{READ_FAILED, REMOTE_READ,
                                        "Alert: Configuration problem - reconfigure system"}));
}

}  // namespace
}  // namespace tivra::test
