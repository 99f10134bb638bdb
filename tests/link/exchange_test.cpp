// The request/answer exchanges: every row of the failure table (tests/data/link/exchanges.txt)
// for both boards with the exact library dialogue and the waiting rule, each followed by a read
// that must find nothing left on the line, and the two buttons when a board fails (their whole
// runs through the serial code: tivractl's board commands).

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>
#include <utility>

#include "link_bench.h"

namespace tivra::test {
namespace {

// The tables write the calls after discovery as "flush; REQ; check; read(3)": REQ is the
// exchange's request or frame, "check xN" N checks in a row, and "read(L|R)" reads L bytes from
// the LocalBoard or R from the RemoteBoard. A failed call ends in " -> 255".
Calls expand(const std::string& shorthand, const std::string& request, bool local) {
    const std::pair<std::string, std::string> words[] = {
        {"flush", "flushBuffers(1, 1)"}, {"check", "checkRxQueue"}, {"REQ", request}};
    Calls calls;
    std::istringstream in(shorthand);
    for (std::string c; std::getline(in >> std::ws, c, ';');) {
        const size_t x = c.find(" x"), times = x == c.npos ? 1 : std::stoul(c.substr(x + 2));
        c = c.substr(0, x);
        for (const auto& [word, call] : words)
            if (c.rfind(word, 0) == 0) c = call + c.substr(word.size());
        if (const size_t bar = c.find('|'); bar != std::string::npos)
            c = local ? c.substr(0, bar) + c.substr(c.find(')'))
                      : c.substr(0, c.find('(') + 1) + c.substr(bar + 1);
        calls.insert(calls.end(), times, c);
    }
    return calls;
}

// Each exchange is followed by a ReadRemote as the board answers it: that one needs no new
// discovery (a link once open stays open through a failed exchange), starts with a flush and takes
// only its own answer, whatever the first one left on the line.
TEST(BoardExchange, EveryOutcomeForBothBoardsLeavingNothingForTheNext) {
    for (const auto& [name, row] : dataRows("link/exchanges.txt")) {
        // The arrangement, the calls, the box, the pauses, whether the exchange takes.
        const std::vector<std::string> field = fieldsOf(row, " | ");
        ASSERT_EQ(field.size(), 5u) << name;
        const bool read = name.starts_with("read "), takes = field[4] == "takes";
        for (const bool local : {true, false}) {
            // ReadLocal 0, ReadRemote 1, WriteRemote 2, WriteLocal 3.
            const auto command = BoardCommand(read ? !local : 2 + local);
            SCOPED_TRACE(name + (local ? " (local)" : " (remote)"));
            LinkBench bench;
            bench.openLink();
            fillTablesWithMarkers(bench.state);
            bench.show(mixedConfiguration());
            arrange(field[0], bench.boards.settings);
            const sim::BoardPair before = bench.boards;
            ProgramState expected = bench.state;
            EXPECT_EQ(read ? readBoardConfiguration(bench.context, command)
                           : writeBoardConfiguration(bench.context, command),
                      field[2] == "-" ? 0 : -1);
            const std::string request = !read   ? frameWrite(command, bench.state)
                                        : local ? READ_LOCAL_REQUEST
                                                : READ_REMOTE_REQUEST;
            EXPECT_EQ(bench.bridge.calls, expand(field[1], request, local));
            EXPECT_EQ(bench.pause.pauses, std::stoul(field[3]));
            EXPECT_EQ(bench.pause.nowMs, 10u * bench.pause.pauses);
            const std::string SUCCESS[] = {LOCAL_READ, REMOTE_READ, REMOTE_WRITTEN, LOCAL_WRITTEN};
            EXPECT_EQ(bench.ui.boxes(), Calls{field[2] == "-" ? SUCCESS[int(command)] : field[2]});
            // A write's table is on the board; a read stores a whole answer, from the LocalBoard
            // the joining too, and leaves the board alone.
            const sim::LocalBoard& board = bench.boards.localBoard;
            const PortTable& boardPorts = local ? board.ports : bench.boards.remoteBoard.ports;
            EXPECT_EQ(boardPorts, !read && takes ? local ? bench.state.localPortTable
                                                         : bench.state.remotePortTable
                                  : local        ? before.localBoard.ports
                                                 : before.remoteBoard.ports);
            if (read && takes)
                (local ? expected.localPortTable : expected.remotePortTable) = boardPorts;
            if (read && takes && local)
                expected.portRouting = board.routing, expected.channelPortMap = board.channelPorts;
            if (read) {
                EXPECT_EQ(std::tie(bench.state.localPortTable, bench.state.remotePortTable,
                                   bench.state.portRouting, bench.state.channelPortMap),
                          std::tie(expected.localPortTable, expected.remotePortTable,
                                   expected.portRouting, expected.channelPortMap));
            }
            bench.boards.settings = {};
            bench.forget();
            EXPECT_EQ(readBoardConfiguration(bench.context, BoardCommand::ReadRemote), 0);
            EXPECT_EQ(bench.bridge.calls,
                      expand("flush; REQ; check; read(3); read(176)", READ_REMOTE_REQUEST, true));
            EXPECT_EQ(bench.state.remotePortTable, bench.boards.remoteBoard.ports);
            EXPECT_EQ(bench.boards.waiting(), 0u);
        }
    }
}

TEST(BoardRead, ARemoteReplyMayOverwriteTheJoining) {
    LinkBench bench;
    bench.openLink();
    ASSERT_EQ(readBoardConfiguration(bench.context, BoardCommand::ReadLocal), 0);
    arrange("answer 55 AA 09 07 01 02 03 04 05 06 07 00", bench.boards.settings);
    EXPECT_EQ(readBoardConfiguration(bench.context, BoardCommand::ReadRemote), 0);
    EXPECT_EQ(bench.state.portRouting, (PortRouting{1, 2, 3, 4, 5, 6, 7, 0}));
    EXPECT_EQ(bench.state.channelPortMap, bench.boards.localBoard.channelPorts);
}

// The button validates before each write and seeks no board: its boxes are the only ones.
TEST(BoardExchange, NothingIsSentForAnInvalidForm) {
    LinkBench bench;
    MuxConfiguration bad = sim::BoardPair::factoryConfiguration();
    bad.channel(3).localPort = 0;  // channel 1 already uses local port 1
    bench.show(bad);
    EXPECT_EQ(writeConfigurationToBoards(bench.context), -1);
    EXPECT_EQ(bench.ui.boxes(),
              Calls(2, "Local Port Conflict: Check Local Ports On Channels 1 and 3"));
    EXPECT_TRUE(bench.bridge.calls.empty());
}

// The buttons when a board fails: each board is tried in turn; where no board was found, each
// exchange looked again, nothing is left to close at shutdown, and the operator's form and record
// are left alone. (A failed set-up closes the device again: Discovery.)
TEST(Buttons, EachBoardIsTriedWhenOneFails) {
    for (const auto& [run, boxes] : dataRows("link/buttons.txt", " =>")) {
        SCOPED_TRACE(run);
        const bool write = run.starts_with("write");
        LinkBench bench;
        arrange(run.substr(run.find(' ')), bench.boards.settings);
        bench.boards.remoteBoard.ports[0].sensorType = 2;  // disagrees with a zero local table
        bench.show(mixedConfiguration());
        EXPECT_EQ(write ? writeConfigurationToBoards(bench.context)
                        : readConfigurationFromBoards(bench.context),
                  -1);
        EXPECT_EQ(bench.ui.boxes(), fieldsOf(boxes, " | "));
        if (!boxes.starts_with(NO_BOARD)) continue;
        closeBoardLink(bench.bridge, bench.state.link);  // shutdown closes only an open link
        EXPECT_EQ(bench.bridge.calls, Calls(2, "getNumDevices"));
        EXPECT_EQ(readForm(bench.form), mixedConfiguration());
        // A write validated the form into the record.
        EXPECT_EQ(bench.state.configuration, write ? mixedConfiguration() : MuxConfiguration{});
    }
}

}  // namespace
}  // namespace tivra::test
