#pragma once
// What the board link tests share: the library calls of the board dialogue (its boxes:
// recording_operator.h), the simulator set up as a data row says, a pause that only counts and
// moves a virtual clock, the board link as the program runs it over any bridge, and the
// expectations of a full Read and a full Write that every bridge must meet.

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "config/form_transfer.h"
#include "config/headless_setup.h"
#include "link/board_protocol.h"
#include "link/recording_bridge.h"
#include "link/wire_format.h"
#include "sim/simulated_bridge.h"
#include "support/configuration_views.h"
#include "support/data_file.h"
#include "support/recording_operator.h"

namespace tivra::test {

using Calls = std::vector<std::string>;

inline const std::string READ_LOCAL_REQUEST = "write(00 05 55 AA 00)";
inline const std::string READ_REMOTE_REQUEST = "write(00 05 55 AA 01)";

inline std::string hex(const std::vector<uint8_t>& bytes) {
    return hexBytes(bytes.data(), bytes.size());
}

// The recorded write of the frame that `command` sends for the tables of `state`.
inline std::string frameWrite(BoardCommand command, const ProgramState& state) {
    return "write(" + hex(encodeBoardFrame(command, state)) + ")";
}

struct FakePause final : Pause {
    uint32_t pauses = 0;
    uint64_t nowMs = 0;
    void pause(uint32_t milliseconds) override { ++pauses, nowMs += milliseconds; }
};

// Port tables, routing and channel ports filled with something no board sends, so that a table
// left alone is easy to tell from one overwritten.
inline void fillTablesWithMarkers(ProgramState& state) {
    for (size_t p = 0; p < PORT_COUNT; ++p) {
        const auto v = static_cast<int8_t>(100 + p);
        state.localPortTable[p] = {v, v, 1000 + static_cast<int32_t>(p), v, v, int16_t{1234}};
        state.remotePortTable[p] = {v, v, 2000 + static_cast<int32_t>(p), v, v, int16_t{4321}};
        state.portRouting[p] = 70 + static_cast<int32_t>(p);
        state.channelPortMap[p] = 80 + static_cast<int32_t>(p);
    }
}

// The simulator set up as an arrangement of the data rows says (tests/data/link/exchanges.txt).
inline void arrange(const std::string& text, sim::SimSettings& s) {
    const std::string FAULTS[] = {
        "None",           "BadHead",           "ItemCutShort",          "UnknownTag",
        "PortOutOfRange", "RoutingOutOfRange", "ChannelPortOutOfRange", "LengthBeyondItems",
        "Empty"};
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        uint32_t n = 0;
        if (word == "fail" && words >> word >> n)
            s.failingCalls.push_back({bridgeCallFromText(word).value(), n});
        else if (word == "spoil" && words >> word)
            s.replyFault = sim::ReplyFault(std::find(FAULTS, std::end(FAULTS), word) - FAULTS);
        else if (word == "answer" && std::getline(words, word))
            s.answerWith = bytesOf(word);
        else if (word == "stray" && std::getline(words, word))
            s.strayBytes = bytesOf(word);
        else if (word == "only" && words >> n)
            s.faultsOnlyFor = uint8_t(n);
        else if (word == "unplugged")
            s.devices.clear();
        else if (word == "ready")
            words >> s.readyAfterChecks >> s.readyAfterMs;
        else if (word == "shortRead")
            words >> s.shortReadOccurrence;
        else if (word == "queueStatus")
            words >> s.queueStatus;
        else if (word == "shortWrite")
            s.shortWrite = true;
        else if (word == "silent")
            s.answers = false;
        else if (word == "refuse")
            s.negativeAcknowledge = true;
        else if (word != "-")
            ADD_FAILURE() << "no arrangement " << word;
    }
}

// The board link as the program runs it over `inner`, with every library call recorded; the
// waiting runs on the virtual clock of `pause`.
struct LinkSession {
    explicit LinkSession(UsbBridge& inner)
        : bridge(inner), context{state, form, ui, bridge, pause} {}

    RecordingBridge bridge;
    FakePause pause;
    RecordingOperator ui;
    HeadlessForm form = blankHeadlessForm();
    ProgramState state;
    BoardContext context;

    // Puts a record onto the form, as Open does.
    void show(const MuxConfiguration& config) { form = headlessFormShowing(config); }
    void forget() {
        bridge.calls.clear();
        ui.clear();
        pause.pauses = 0;
    }
    // Program exit, then a new start on the same boards.
    void restart() {
        closeBoardLink(bridge, state.link);
        state = ProgramState{};
        form = blankHeadlessForm();
        forget();
    }
};

// The calls of a full run: a successful discovery, then `rest`. A run of queue checks counts as
// one: on a real line its timing decides how often the queue is looked at (the exchange table
// counts them on the simulator).
inline void expectCalls(const LinkSession& s, const Calls& rest) {
    Calls calls = s.bridge.calls,
          expected = {"getNumDevices",          "getProductString(0, 1)", "open(0)",
                      "setBaudRate(57600)",     "setLineControl(0x0801)", "flushBuffers(1, 1)",
                      "setTimeouts(4096, 4096)"};
    calls.erase(std::unique(calls.begin(), calls.end()), calls.end());
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(calls, expected);
}

// Read Configuration on a fresh start, the boards holding `held`: both boxes, the exact
// dialogue, and the record and form rebuilt from what was read.
inline void expectFullRead(LinkSession& s, const MuxConfiguration& held) {
    fillTablesWithMarkers(s.state);
    EXPECT_EQ(readConfigurationFromBoards(s.context), 0);
    EXPECT_EQ(s.ui.boxes(), (Calls{LOCAL_READ, REMOTE_READ}));
    expectCalls(
        s, {"flushBuffers(1, 1)", READ_LOCAL_REQUEST, "checkRxQueue", "read(3)", "read(194)",
            "flushBuffers(1, 1)", READ_REMOTE_REQUEST, "checkRxQueue", "read(3)", "read(176)"});
    EXPECT_EQ(std::pair(s.state.configuration, readForm(s.form)), std::pair(held, held));
}

// Write Configuration of mixedConfiguration() on a fresh start: both boxes and the exact
// dialogue with both frames. Returns the record as validation completed it.
inline MuxConfiguration expectFullWrite(LinkSession& s) {
    s.show(mixedConfiguration());
    EXPECT_EQ(writeConfigurationToBoards(s.context), 0);
    EXPECT_EQ(s.ui.boxes(), (Calls{LOCAL_WRITTEN, REMOTE_WRITTEN}));
    expectCalls(s, {"flushBuffers(1, 1)", frameWrite(BoardCommand::WriteLocal, s.state),
                    "checkRxQueue", "read(2)", "flushBuffers(1, 1)",
                    frameWrite(BoardCommand::WriteRemote, s.state), "checkRxQueue", "read(2)"});
    return s.state.configuration;
}

// The simulated board pair behind an in-process bridge, answering on the virtual clock.
struct SimulatedBoards {
    sim::BoardPair boards;
    SimulatedBridge simulated{boards};
};

struct LinkBench : SimulatedBoards, LinkSession {
    LinkBench() : LinkSession(simulated) {
        boards.setClock([this] { return pause.nowMs; });
    }

    // Opens the link as the first exchange would, then forgets what that took.
    void openLink() {
        ASSERT_EQ(openBoardLink(bridge, ui, state.link), 0);
        state.link.boardLinkOpen = true;
        forget();
    }
};

}  // namespace tivra::test
