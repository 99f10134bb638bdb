// The in-process bridge over the simulated pair: the library's behaviour the board link relies
// on, and the bridge-level faults.

#include <gtest/gtest.h>

#include <cstring>

#include "link/bridges/simulated.h"
#include "link_bench.h"

namespace tivra::test {
namespace {

TEST(SimulatedBridge, ProductStringsNeverOverrunTheBuffer) {
    for (const size_t length : {99, 100, 140}) {
        SCOPED_TRACE(length);
        SimulatedBridge bridge;
        bridge.settings().devices = {{std::string(length, 'q'), true}};
        char buffer[PRODUCT_STRING_SIZE + 8];
        std::memset(buffer, '#', sizeof buffer);
        ASSERT_EQ(bridge.getProductString(0, buffer, PRODUCT_DESCRIPTION), 0);
        // Up to 99 characters with their NUL; nothing past the caller's 100 bytes.
        const std::string expected =
            length < 100 ? std::string(99, 'q') + '\0' : std::string(100, 'q');
        EXPECT_EQ(std::string(buffer, PRODUCT_STRING_SIZE + 1), expected + '#');
        EXPECT_NE(bridge.getProductString(1, buffer, PRODUCT_DESCRIPTION), 0);
        EXPECT_NE(bridge.getProductString(0, buffer, 0), 0);
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
