// Finding and setting up the LocalBoard's bridge: every row of the failure table, the order of
// the library calls, the devices that look almost right, and the port listing that agrees.

#include <gtest/gtest.h>

#include <algorithm>

#include "link/port_listing.h"
#include "link_bench.h"

namespace tivra::test {
namespace {

const std::string OSTREL = "Quorvantel Ostrel";
const std::string NOT_LOCATED = "Failure: Unable to locate Ostrel";

using C = BridgeCall;

// The first `count` calls of a successful discovery, the last of them failing.
Calls failingAt(size_t count) {
    Calls calls(DISCOVERY_CALLS.begin(), DISCOVERY_CALLS.begin() + count);
    calls.back() += " -> 255";
    return calls;
}
// The same for a set-up call after the open, which closes the device again.
Calls closedAfter(size_t count) {
    return joined(failingAt(count), {"close"});
}
std::vector<sim::CallFault> fails(BridgeCall call, uint32_t occurrence = 0) {
    return {{call, occurrence}};
}

TEST(Discovery, EveryOutcome) {
    struct Case {
        const char* name;
        std::vector<sim::SimDevice> devices;
        std::vector<sim::CallFault> faults;
        std::string box;  // "" for success
        Calls calls;
    };
    const std::vector<sim::SimDevice> one = {{OSTREL, true}};
    const std::vector<sim::SimDevice> otherFirst = {
        {"Other", false}, {OSTREL, true}, {OSTREL, false}};
    const std::string pad(83, 'x');
    const Calls lookedAtOne = {"getNumDevices", "getProductString(0, 1)"};
    const std::vector<Case> cases = {
        {"no bridge", {}, {}, NO_BOARD, {"getNumDevices"}},
        {"count fails", one, fails(C::GetNumDevices), NO_BOARD, failingAt(1)},
        {"product string fails", one, fails(C::GetProductString), CHECK_CABLES, failingAt(2)},
        {"second product string fails", otherFirst, fails(C::GetProductString, 2), CHECK_CABLES,
         joined(lookedAtOne, {"getProductString(1, 1) -> 255"})},
        {"trailing blank", {{OSTREL + " ", true}}, {}, NOT_LOCATED, lookedAtOne},
        {"other letter case", {{"quorvantel ostrel", true}}, {}, NOT_LOCATED, lookedAtOne},
        {"100 characters, no NUL", {{OSTREL + pad, true}}, {}, NOT_LOCATED, lookedAtOne},
        {"open fails", one, fails(C::Open), CHECK_CABLES, failingAt(3)},
        {"baud rate fails", one, fails(C::SetBaudRate), CHECK_CABLES, closedAfter(4)},
        {"line control fails", one, fails(C::SetLineControl), CHECK_CABLES, closedAfter(5)},
        {"flush fails", one, fails(C::FlushBuffers), CHECK_CABLES, closedAfter(6)},
        {"time-outs fail", one, fails(C::SetTimeouts), CHECK_CABLES, closedAfter(7)},
        {"one board", one, {}, "", DISCOVERY_CALLS},
        {"two boards: the first is used", {one[0], {OSTREL, false}}, {}, "", DISCOVERY_CALLS},
        // The second board: the buffer is cleared only once, the library's NUL ends the text.
        {"shorter description after a longer one",
         {{OSTREL + " Mk II", false}, one[0]},
         {},
         "",
         joined(lookedAtOne,
                {"getProductString(1, 1)", "open(1)", "setBaudRate(57600)",
                 "setLineControl(0x0801)", "flushBuffers(1, 1)", "setTimeouts(4096, 4096)"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LinkBench bench;
        bench.settings().devices = c.devices;
        bench.settings().failingCalls = c.faults;
        EXPECT_EQ(openBoardLink(bench.bridge, bench.ui, bench.state.link), c.box.empty() ? 0 : -1);
        EXPECT_EQ(bench.ui.boxes(), c.box.empty() ? Calls{} : Calls{c.box});
        EXPECT_EQ(bench.bridge.calls, c.calls);
        // Discovery never marks the link open itself.
        EXPECT_FALSE(bench.state.link.boardLinkOpen);
        EXPECT_EQ(bench.state.link.boardLinkHandle != nullptr, c.box.empty());
        // The port listing marks the device discovery opens, if any, reading descriptions alike.
        SimulatedBridge listing;
        listing.settings().devices = c.devices;
        listing.settings().failingCalls = c.faults;
        std::string marked, opened;
        for (const ListedPort& port : listBridgeDevices(listing))
            if (port.localBoard) marked += port.name;
        for (const std::string& call : c.calls)
            if (call.starts_with("open(")) opened = "device " + call.substr(5, 1);
        EXPECT_EQ(marked, opened);
    }
}

TEST(Discovery, AFailedSetUpReleasesTheDeviceForTheNextAttempt) {
    LinkBench bench;
    bench.failCall(BridgeCall::SetLineControl, 1);
    ASSERT_EQ(readBoardConfiguration(bench.context, BoardCommand::ReadLocal), -1);
    EXPECT_FALSE(bench.state.link.boardLinkOpen);
    bench.forget();
    // The device was closed, so opening it again works and the read goes through.
    EXPECT_EQ(readBoardConfiguration(bench.context, BoardCommand::ReadLocal), 0);
    EXPECT_TRUE(bench.state.link.boardLinkOpen);
    EXPECT_EQ(bench.ui.boxes(), Calls{LOCAL_READ});
    EXPECT_EQ(bench.bridge.calls.at(0), "getNumDevices");
}

TEST(Discovery, RunsOnlyUntilItSucceeds) {
    // (A failed one leaves the link closed, so each exchange looks again: Buttons.NoBoardAttached.)
    LinkBench bench;
    bench.settings().answers = false;  // every exchange fails after discovery
    readBoardConfiguration(bench.context, BoardCommand::ReadLocal);
    readBoardConfiguration(bench.context, BoardCommand::ReadRemote);
    bench.settings().answers = true;
    readBoardConfiguration(bench.context, BoardCommand::ReadLocal);
    const auto& calls = bench.bridge.calls;
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "getNumDevices"), 1);
    EXPECT_EQ(bench.simulated.callCount(BridgeCall::Open), 1u);
}

TEST(Discovery, ShutdownClosesOnlyAnOpenLink) {
    LinkBench bench;
    closeBoardLink(bench.bridge, bench.state.link);
    EXPECT_TRUE(bench.bridge.calls.empty());
    bench.openLink();
    closeBoardLink(bench.bridge, bench.state.link);
    EXPECT_EQ(bench.bridge.calls, Calls{"close"});
}

}  // namespace
}  // namespace tivra::test
