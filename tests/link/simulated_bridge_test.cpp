// The in-process bridge over the simulated pair: the library's behaviour the board link relies
// on, shared in part with the serial bridge.

#include <gtest/gtest.h>

#include <cstring>

#include "link/bridges/simulated.h"
#ifndef _WIN32
#include "link/bridges/serial.h"
#endif
#include "link_bench.h"

namespace tivra::test {
namespace {

// What both bridges owe discovery: the devices in order, and never more than the caller's 100
// bytes of a product string, with a NUL only where it fits.
TEST(Bridges, ListDevicesAndNeverOverrunTheBuffer) {
    for (const size_t length : {99, 100, 140}) {
        SCOPED_TRACE(length);
        const std::string text(length, 'q');
        SimulatedBridge simulated;
        simulated.settings().devices = {{text, true}, {"Other", false}};
        std::vector<UsbBridge*> bridges = {&simulated};
#ifndef _WIN32
        SerialBridge serial({{"/dev/null-a", text}, {"/dev/null-b", "Other"}});
        bridges.push_back(&serial);
#endif
        for (UsbBridge* bridge : bridges) {
            uint32_t count = 0;
            ASSERT_EQ(bridge->getNumDevices(&count), 0);
            EXPECT_EQ(count, 2u);
            char buffer[PRODUCT_STRING_SIZE + 8];
            std::memset(buffer, '#', sizeof buffer);
            ASSERT_EQ(bridge->getProductString(0, buffer, PRODUCT_DESCRIPTION), 0);
            std::string expected = text.substr(0, PRODUCT_STRING_SIZE);
            if (length < PRODUCT_STRING_SIZE) expected += '\0';
            EXPECT_EQ(std::string(buffer, PRODUCT_STRING_SIZE + 1), expected + '#');
            EXPECT_NE(bridge->getProductString(2, buffer, PRODUCT_DESCRIPTION), 0);
            EXPECT_NE(bridge->getProductString(0, buffer, 0), 0);
        }
    }
}

TEST(SimulatedBridge, HandlesBelongToOpenDevices) {
    SimulatedBridge bridge;
    bridge.settings().devices = {{"Quorvantel Ostrel", true}, {"Other", false}};
    DeviceHandle first = nullptr;
    DeviceHandle second = nullptr;
    ASSERT_EQ(bridge.open(0, &first), 0);
    EXPECT_NE(bridge.open(0, &second), 0);  // one opener at a time
    ASSERT_EQ(bridge.open(1, &second), 0);
    EXPECT_NE(first, second);
    EXPECT_NE(bridge.open(2, &second), 0);

    uint32_t waiting = 0, status = 0;
    int dummy = 0;
    EXPECT_NE(bridge.checkRxQueue(&dummy, &waiting, &status), 0);
    EXPECT_NE(bridge.setBaudRate(nullptr, 57600), 0);
    EXPECT_EQ(bridge.close(first), 0);
    EXPECT_NE(bridge.close(first), 0);
    EXPECT_NE(bridge.flushBuffers(first, 1, 1), 0);
    EXPECT_EQ(bridge.open(0, &first), 0);  // free again
}

TEST(SimulatedBridge, TheBoardsHearOnlyARightlySetUpLine) {
    const struct {
        uint32_t baud;
        uint16_t lineControl;
        uint32_t answered;  // bytes waiting afterwards
    } cases[] = {{57600, 0x0801, 179}, {9600, 0x0801, 0}, {57600, 0x0802, 0}, {0, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.baud);
        SimulatedBridge bridge;
        DeviceHandle handle = nullptr;
        ASSERT_EQ(bridge.open(0, &handle), 0);
        if (c.baud) bridge.setBaudRate(handle, c.baud);
        if (c.lineControl) bridge.setLineControl(handle, c.lineControl);
        const uint8_t request[] = {0x00, 0x05, 0x55, 0xAA, 0x01};
        uint32_t written = 0, waiting = 0, status = 0;
        ASSERT_EQ(bridge.write(handle, request, 5, &written, nullptr), 0);
        EXPECT_EQ(written, 5u);
        ASSERT_EQ(bridge.checkRxQueue(handle, &waiting, &status), 0);
        EXPECT_EQ(waiting, c.answered);
        EXPECT_EQ(status, c.answered ? 2u : 0u);
    }
}

}  // namespace
}  // namespace tivra::test
