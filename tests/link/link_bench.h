#pragma once
// What the board link tests share: the simulated board pair behind a recording bridge, a pause
// that only counts and moves a virtual clock, the recording operator and a headless form.

#include <string>
#include <vector>

#include "config/channel_config.h"
#include "config/headless_form.h"
#include "config/headless_setup.h"
#include "config/program_state.h"
#include "link/board_protocol.h"
#include "link/bridges/simulated.h"
#include "link/recording_bridge.h"
#include "sim/board_pair.h"
#include "support/recording_operator.h"

namespace tivra::test {

class FakePause final : public Pause {
  public:
    uint32_t pauses = 0;
    uint64_t nowMs = 0;
    void pause(uint32_t milliseconds) override {
        ++pauses;
        nowMs += milliseconds;
    }
};

// The library calls of a successful discovery, in order.
inline const std::vector<std::string> DISCOVERY_CALLS = {
    "getNumDevices",          "getProductString(0, 1)", "open(0)",
    "setBaudRate(57600)",     "setLineControl(0x0801)", "flushBuffers(1, 1)",
    "setTimeouts(4096, 4096)"};

inline const std::string READ_LOCAL_REQUEST = "write(00 05 55 AA 00)";
inline const std::string READ_REMOTE_REQUEST = "write(00 05 55 AA 01)";

inline std::vector<std::string> joined(std::vector<std::string> a,
                                       const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline MuxConfiguration factoryConfiguration() {
    return sim::BoardPair::factoryConfiguration();
}

// A valid configuration unlike the factory one, whose frames need escapes (chunksizes 51 and
// 170) and whose ports are shuffled.
inline MuxConfiguration sampleConfiguration() {
    MuxConfiguration c = factoryConfiguration();
    c.channel(1) = {1, 4, 2, 115200, 1, 5, 9600, 0, 3, 51};
    c.channel(2) = {1, 3, 0, 230400, 0, 7, 38400, 1, 10, 170};
    c.channel(3) = {1, 2, 1, 57600, 1, 0, 57600, 1, 1, 10};
    c.channel(6) = {0, 1, 5, 19200, 0, 2, 4800, 0, 1, 10};
    c.channel(8) = {0, 0, 7, 600, 0, 1, 1200, 0, 1, 10};
    return c;
}

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

struct LinkBench {
    sim::BoardPair boards;
    SimulatedBridge simulated{boards};
    RecordingBridge bridge{simulated};
    FakePause pause;
    RecordingOperator ui;
    HeadlessForm form = blankHeadlessForm();
    ProgramState state;
    BoardContext context{state, form, ui, bridge, pause};

    LinkBench() {
        boards.setClock([this] { return pause.nowMs; });
    }

    sim::SimSettings& settings() { return boards.settings; }
    // Puts a record onto the form, as Open does.
    void show(const MuxConfiguration& config) { form = headlessFormShowing(config); }
    void failCall(BridgeCall call, uint32_t occurrence = 0) {
        settings().failingCalls.push_back({call, occurrence});
    }
    // Opens the link as the first exchange would, then forgets what that took.
    void openLink() {
        ASSERT_EQ(openBoardLink(bridge, ui, state.link), 0);
        state.link.boardLinkOpen = true;
        forget();
    }
    void forget() {
        bridge.calls.clear();
        ui.clear();
        pause.pauses = 0;
    }
    uint32_t queueChecks() const {
        uint32_t n = 0;
        for (const auto& call : bridge.calls)
            if (call.rfind("checkRxQueue", 0) == 0) ++n;
        return n;
    }
};

}  // namespace tivra::test
