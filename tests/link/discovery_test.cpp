// Finding and setting up the LocalBoard's bridge: every row of the failure table
// (tests/data/link/discovery.txt) with the order of the library calls and the devices that look
// almost right, the port listing that agrees, and the link's life.

#include <gtest/gtest.h>

#include "link/bridge_choice.h"
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
        bench.boards.settings = settings;
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

// A failed set-up closes the device again, so the next exchange opens it anew; a link once open
// stays open through failed exchanges (a failed discovery leaves it closed, so each exchange looks
// again: Buttons); shutdown closes only an open link.
TEST(Discovery, TheLinksLife) {
    LinkBench bench;
    closeBoardLink(bench.bridge, bench.state.link);
    EXPECT_TRUE(bench.bridge.calls.empty());
    bench.boards.settings.failingCalls = {{BridgeCall::SetLineControl, 1}};
    ASSERT_EQ(readBoardConfiguration(bench.context, BoardCommand::ReadLocal), -1);
    EXPECT_FALSE(bench.state.link.boardLinkOpen);
    bench.boards.settings.answers = false;  // every exchange fails after discovery
    readBoardConfiguration(bench.context, BoardCommand::ReadLocal);
    EXPECT_TRUE(bench.state.link.boardLinkOpen);
    readBoardConfiguration(bench.context, BoardCommand::ReadRemote);
    bench.boards.settings.answers = true;
    bench.forget();
    EXPECT_EQ(readBoardConfiguration(bench.context, BoardCommand::ReadLocal), 0);
    EXPECT_EQ(bench.ui.boxes(), Calls{LOCAL_READ});
    EXPECT_EQ(bench.simulated.callCount(BridgeCall::GetNumDevices), 2u);
    EXPECT_EQ(bench.simulated.callCount(BridgeCall::Open), 2u);
    bench.forget();
    closeBoardLink(bench.bridge, bench.state.link);
    EXPECT_EQ(bench.bridge.calls, Calls{"close"});
}

// Choosing the bridge from TIVRA_BRIDGE or --bridge (a device path: SerialEndToEnd; the variable
// read at an exchange: the application's BoardButtons tests and tivractl's boards.t).
TEST(BridgeChoice, Values) {
    const std::string KINDS[] = {"Platform", "Simulated", "SerialPath"};
    for (const auto& [value, expected] : dataRows("link/bridge_choices.txt", " =>")) {
        BridgeChoice choice;
        std::string error;
        const bool accepted = parseBridgeChoice(value, choice, error);
        EXPECT_EQ(accepted
                      ? KINDS[int(choice.kind)] + (choice.path.empty() ? "" : " " + choice.path)
                      : "refused: " + error,
                  expected)
            << "'" << value << "'";
    }
}

}  // namespace
}  // namespace tivra::test
