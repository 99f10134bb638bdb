// Finding and setting up the LocalBoard's bridge: every row of the failure table
// (tests/data/link/discovery.txt) with the order of the library calls and the devices that look
// almost right, the port listing that agrees, the choice of bridge, what the bridges owe discovery,
// and a failed set-up releasing the device. (The rest of the link's life: Buttons and BoardExchange
// in exchange_test.cpp.)

#include <gtest/gtest.h>

#include <cstring>

#include "boards/bridge_choice.h"
#include "sim/simulated_bridge.h"
#ifndef _WIN32
#include "link/bridges/serial.h"
#endif
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
        LinkBench bench;
        sim::SimSettings& settings = bench.boards.settings;
        settings.devices.clear();
        const std::vector<std::string> quoted = fieldsOf(field[0], "\"");
        for (size_t i = 1; i + 1 < quoted.size(); i += 2)
            settings.devices.push_back({quoted[i], quoted[i + 1].starts_with('+')});
        arrange(field[1], settings);
        const std::string box = field[2] == "-" ? "" : field[2];
        EXPECT_EQ(openBoardLink(bench.bridge, bench.ui, bench.state.link), box.empty() ? 0 : -1);
        EXPECT_EQ(bench.ui.boxes(), box.empty() ? Calls{} : Calls{box});
        EXPECT_EQ(bench.bridge.calls, fieldsOf(field[3], "; "));
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

// Choosing the bridge from TIVRA_BRIDGE or --bridge (a device path: tivractl's board commands; the
// variable read at an exchange: the application's BoardButtons tests and tivractl's boards.t).
#ifdef _WIN32
constexpr bool ON_WINDOWS = true;
#else
constexpr bool ON_WINDOWS = false;
#endif

TEST(BridgeChoice, Values) {
    const std::string KINDS[] = {"Platform", "Simulated", "SerialPath", "UsbSerial",
                                 "Device",   "Rfc2217",   "RawTcp"};
    for (auto [value, expected] : dataRows("link/bridge_choices.txt", " =>")) {
        if (const size_t bar = expected.find(" | "); bar != std::string::npos)
            expected = ON_WINDOWS ? expected.substr(bar + 3) : expected.substr(0, bar);
        if (const size_t at = expected.find("{values}"); at != std::string::npos)
            expected.replace(at, 8, bridgeValuesOfThisPlatform());
        BridgeChoice choice;
        std::string error;
        const bool taken = parseBridgeChoice(value, choice, error);
        std::string chosen = KINDS[int(choice.kind)];
        if (!choice.name.empty()) chosen += " " + choice.name;
        if (choice.number != 0 || choice.kind == BridgeChoice::Kind::Device)
            chosen += " " + std::to_string(choice.number);
        EXPECT_EQ(taken ? chosen : "refused: " + error, expected) << "'" << value << "'";
    }
}

// The in-process bridge over the simulated pair: the library's behaviour the board link relies
// on, shared in part with the serial bridge.

// What both bridges owe discovery: the devices in order, and never more than the caller's 100
// bytes of a product string, with a NUL only where it fits; kind 0 is the USB serial number.
TEST(Bridges, ListDevicesAndNeverOverrunTheBuffer) {
    for (const size_t length : {99, 100, 140}) {
        SCOPED_TRACE(length);
        const std::string text(length, 'q');
        SimulatedBridge simulated;
        simulated.settings().devices = {{text, true, "QV-7"}, {"Other", false}};
        std::vector<UsbBridge*> bridges = {&simulated};
#ifndef _WIN32
        SerialBridge serial({{"/dev/null-a", text, true, "QV-7"}, {"/dev/null-b", "Other"}});
        bridges.push_back(&serial);
#endif
        for (UsbBridge* bridge : bridges) {
            uint32_t count = 0;
            char buffer[PRODUCT_STRING_SIZE + 8];
            std::memset(buffer, '#', sizeof buffer);
            EXPECT_TRUE(bridge->getNumDevices(&count) == 0 && count == 2) << count;
            EXPECT_EQ(bridge->getProductString(0, buffer, PRODUCT_DESCRIPTION), 0);
            EXPECT_EQ(std::string(buffer, PRODUCT_STRING_SIZE + 1),
                      (text + '\0').substr(0, PRODUCT_STRING_SIZE) + '#');
            EXPECT_NE(bridge->getProductString(2, buffer, PRODUCT_DESCRIPTION), 0);
            EXPECT_EQ(bridge->getProductString(0, buffer, PRODUCT_SERIAL_NUMBER), 0);
            EXPECT_STREQ(buffer, "QV-7");
            EXPECT_NE(bridge->getProductString(0, buffer, 2), 0);
        }
    }
}

// One opener of a device at a time until it is closed: what the Windows stand-in's restart relies
// on to show that the close at exit reached the library (tests/windows/siusbxp_bridge_test.cpp),
// and what shows that a failed set-up released the device: the next exchange opens it anew.
TEST(SimulatedBridge, OneOpenerOfADeviceAtATime) {
    SimulatedBridge bridge;
    DeviceHandle first = nullptr, second = nullptr;
    std::string results;
    for (const int32_t result : {bridge.open(0, &first), bridge.open(0, &second),
                                 bridge.close(first), bridge.close(first), bridge.open(0, &second)})
        results += result == 0 ? '0' : 'x';
    EXPECT_EQ(results, "0x0x0");
    LinkBench bench;
    bench.boards.settings.failingCalls = {{BridgeCall::SetLineControl, 1}};
    ASSERT_EQ(readBoardConfiguration(bench.context, BoardCommand::ReadLocal), -1);
    EXPECT_EQ(readBoardConfiguration(bench.context, BoardCommand::ReadLocal), 0);
}

}  // namespace
}  // namespace tivra::test
