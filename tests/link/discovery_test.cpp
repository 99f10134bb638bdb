// Finding and setting up the LocalBoard's bridge: every row of the failure table, the order of
// the library calls, and the devices that look almost right.

#include <gtest/gtest.h>

#include <algorithm>

#include "link_bench.h"

namespace tivra::test {
namespace {

const std::string OSTREL = "Quorvantel Ostrel";
const std::string NO_BOARD = "No Local Board Found: Check USB cable and retry";
const std::string CHECK_CABLES = "USB Fault : Please Check Cables";
const std::string NOT_LOCATED = "Failure: Unable to locate Ostrel";

struct DiscoveryCase {
    const char* name;
    std::vector<sim::SimDevice> devices;
    std::vector<sim::CallFault> faults;
    int32_t result;
    std::vector<std::string> boxes;
    std::vector<std::string> calls;
};

TEST(Discovery, EveryOutcome) {
    const std::vector<sim::SimDevice> one = {{OSTREL, true}};
    const std::vector<DiscoveryCase> cases = {
        {"no bridge", {}, {}, -1, {NO_BOARD}, {"getNumDevices"}},
        {"count call fails",
         one,
         {{BridgeCall::GetNumDevices, 0}},
         -1,
         {NO_BOARD},
         {"getNumDevices -> 255"}},
        {"product string fails",
         one,
         {{BridgeCall::GetProductString, 0}},
         -1,
         {CHECK_CABLES},
         {"getNumDevices", "getProductString(0, 1) -> 255"}},
        {"product string of the second bridge fails",
         {{"Other", false}, {OSTREL, true}},
         {{BridgeCall::GetProductString, 2}},
         -1,
         {CHECK_CABLES},
         {"getNumDevices", "getProductString(0, 1)", "getProductString(1, 1) -> 255"}},
        {"another product",
         {{"USB Serial Adapter", true}},
         {},
         -1,
         {NOT_LOCATED},
         {"getNumDevices", "getProductString(0, 1)"}},
        {"trailing blank",
         {{OSTREL + " ", true}},
         {},
         -1,
         {NOT_LOCATED},
         {"getNumDevices", "getProductString(0, 1)"}},
        {"other letter case",
         {{"quorvantel ostrel", true}},
         {},
         -1,
         {NOT_LOCATED},
         {"getNumDevices", "getProductString(0, 1)"}},
        {"100 characters without NUL",
         {{OSTREL + std::string(83, 'x'), true}},
         {},
         -1,
         {NOT_LOCATED},
         {"getNumDevices", "getProductString(0, 1)"}},
        {"open fails",
         one,
         {{BridgeCall::Open, 0}},
         -1,
         {CHECK_CABLES},
         {"getNumDevices", "getProductString(0, 1)", "open(0) -> 255"}},
        {"baud rate fails",
         one,
         {{BridgeCall::SetBaudRate, 0}},
         -1,
         {CHECK_CABLES},
         {"getNumDevices", "getProductString(0, 1)", "open(0)", "setBaudRate(57600) -> 255",
          "close"}},
        {"line control fails",
         one,
         {{BridgeCall::SetLineControl, 0}},
         -1,
         {CHECK_CABLES},
         {"getNumDevices", "getProductString(0, 1)", "open(0)", "setBaudRate(57600)",
          "setLineControl(0x0801) -> 255", "close"}},
        {"flush fails",
         one,
         {{BridgeCall::FlushBuffers, 0}},
         -1,
         {CHECK_CABLES},
         {"getNumDevices", "getProductString(0, 1)", "open(0)", "setBaudRate(57600)",
          "setLineControl(0x0801)", "flushBuffers(1, 1) -> 255", "close"}},
        {"time-outs fail",
         one,
         {{BridgeCall::SetTimeouts, 0}},
         -1,
         {CHECK_CABLES},
         {"getNumDevices", "getProductString(0, 1)", "open(0)", "setBaudRate(57600)",
          "setLineControl(0x0801)", "flushBuffers(1, 1)", "setTimeouts(4096, 4096) -> 255",
          "close"}},
        {"one board", one, {}, 0, {}, DISCOVERY_CALLS},
        {"the board at index 1",
         {{"Other", false}, {OSTREL, true}},
         {},
         0,
         {},
         {"getNumDevices", "getProductString(0, 1)", "getProductString(1, 1)", "open(1)",
          "setBaudRate(57600)", "setLineControl(0x0801)", "flushBuffers(1, 1)",
          "setTimeouts(4096, 4096)"}},
        {"two boards: the first is used",
         {{OSTREL, true}, {OSTREL, false}},
         {},
         0,
         {},
         DISCOVERY_CALLS},
    };
    for (const DiscoveryCase& c : cases) {
        SCOPED_TRACE(c.name);
        LinkBench bench;
        bench.settings().devices = c.devices;
        bench.settings().failingCalls = c.faults;
        EXPECT_EQ(openBoardLink(bench.bridge, bench.ui, bench.state.link), c.result);
        EXPECT_EQ(bench.ui.boxes(), c.boxes);
        EXPECT_EQ(bench.bridge.calls, c.calls);
        // Discovery never marks the link open itself.
        EXPECT_FALSE(bench.state.link.boardLinkOpen);
        if (c.result == 0) {
            EXPECT_NE(bench.state.link.boardLinkHandle, nullptr);
        }
    }
}

TEST(Discovery, ShorterDescriptionAfterALongerOneIsReadToItsNul) {
    // The buffer is cleared only once; the NUL the library writes ends the shorter text.
    LinkBench bench;
    bench.settings().devices = {{OSTREL + " Mk II", false}, {OSTREL, true}};
    EXPECT_EQ(openBoardLink(bench.bridge, bench.ui, bench.state.link), 0);
    EXPECT_EQ(bench.bridge.calls.at(3), "open(1)");
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
    EXPECT_EQ(bench.ui.boxes(), std::vector<std::string>{"Success: Local configuration data read"});
    EXPECT_EQ(bench.bridge.calls.at(0), "getNumDevices");
}

TEST(Discovery, RunsOnlyUntilItSucceeds) {
    LinkBench bench;
    bench.settings().devices.clear();
    readBoardConfiguration(bench.context, BoardCommand::ReadLocal);
    readBoardConfiguration(bench.context, BoardCommand::ReadRemote);
    // A failed discovery leaves the link closed: each read looks for the board again.
    EXPECT_EQ(bench.bridge.calls, (std::vector<std::string>{"getNumDevices", "getNumDevices"}));

    bench.settings().devices = {{OSTREL, true}};
    bench.settings().answers = false;  // every exchange now fails after discovery
    bench.forget();
    readBoardConfiguration(bench.context, BoardCommand::ReadLocal);
    readBoardConfiguration(bench.context, BoardCommand::ReadRemote);
    bench.settings().answers = true;
    writeConfigurationToBoards(bench.context);  // blank form: fails validation, sends nothing
    readBoardConfiguration(bench.context, BoardCommand::ReadLocal);
    const auto counts = std::count(bench.bridge.calls.begin(), bench.bridge.calls.end(),
                                   std::string("getNumDevices"));
    EXPECT_EQ(counts, 1);
    EXPECT_EQ(bench.simulated.callCount(BridgeCall::Open), 1u);
}

TEST(Discovery, ShutdownClosesOnlyAnOpenLink) {
    LinkBench bench;
    closeBoardLink(bench.bridge, bench.state.link);
    EXPECT_TRUE(bench.bridge.calls.empty());
    bench.openLink();
    closeBoardLink(bench.bridge, bench.state.link);
    EXPECT_EQ(bench.bridge.calls, std::vector<std::string>{"close"});
}

}  // namespace
}  // namespace tivra::test
