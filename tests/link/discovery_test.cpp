// Finding and setting up the LocalBoard's bridge: every row of the failure table
// (tests/data/link/discovery.txt) with the order of the library calls and the devices that look
// almost right, the port listing that agrees, and the link's life.

#include <gtest/gtest.h>

#include <algorithm>

#include "link/port_listing.h"
#include "link_bench.h"

namespace tivra::test {
namespace {

TEST(Discovery, EveryOutcome) {
    for (const auto& [name, row] : dataRows("link/discovery.txt")) {
        SCOPED_TRACE(name);
        // The devices, the arrangement, the box, the calls.
        const std::vector<std::string> field = fieldsOf(row, " | ");
        ASSERT_EQ(field.size(), 4u);
        sim::SimSettings settings;
        settings.devices.clear();
        for (size_t open = field[0].find('"'), close = 0; open != std::string::npos;
             open = field[0].find('"', close + 1)) {
            close = field[0].find('"', open + 1);
            settings.devices.push_back(
                {field[0].substr(open + 1, close - open - 1), field[0][close + 1] == '+'});
        }
        arrange(field[1], settings);
        const std::string box = field[2] == "-" ? "" : field[2];
        LinkBench bench;
        bench.settings() = settings;
        EXPECT_EQ(openBoardLink(bench.bridge, bench.ui, bench.state.link), box.empty() ? 0 : -1);
        EXPECT_EQ(bench.ui.boxes(), box.empty() ? Calls{} : Calls{box});
        EXPECT_EQ(bench.bridge.calls, fieldsOf(field[3], "; "));
        // Discovery never marks the link open itself.
        EXPECT_FALSE(bench.state.link.boardLinkOpen);
        EXPECT_EQ(bench.state.link.boardLinkHandle != nullptr, box.empty());
        // The port listing marks the device discovery opens, if any, reading descriptions alike.
        SimulatedBridge listing;
        listing.settings() = settings;
        std::string marked, opened;
        for (const ListedPort& port : listBridgeDevices(listing))
            if (port.localBoard) marked += port.name;
        for (const std::string& call : bench.bridge.calls)
            if (call.starts_with("open(")) opened = "device " + call.substr(5, 1);
        EXPECT_EQ(marked, opened);
    }
}

TEST(Discovery, AFailedSetUpReleasesTheDeviceForTheNextAttempt) {
    LinkBench bench;
    bench.settings().failingCalls = {{BridgeCall::SetLineControl, 1}};
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
