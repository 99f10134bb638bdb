// The in-process bridge over the simulated pair: the library's behaviour the board link relies
// on, and the bridge-level faults.

#include <gtest/gtest.h>

#include <cstring>

#include "link/bridges/simulated.h"
#include "link_bench.h"

namespace tivra::test {
namespace {

TEST(SimulatedBridge, ProductStringsNeverOverrunTheBuffer) {
    struct Case {
        size_t length;
        bool terminated;
    };
    for (const Case& c : {Case{17, true}, Case{99, true}, Case{100, false}, Case{140, false}}) {
        SCOPED_TRACE(c.length);
        SimulatedBridge bridge;
        bridge.settings().devices = {{std::string(c.length, 'q'), true}};
        char buffer[PRODUCT_STRING_SIZE + 8];
        std::memset(buffer, '#', sizeof buffer);
        ASSERT_EQ(bridge.getProductString(0, buffer, PRODUCT_DESCRIPTION), 0);
        const size_t copied = std::min<size_t>(c.length, PRODUCT_STRING_SIZE);
        EXPECT_EQ(std::string(buffer, copied), std::string(copied, 'q'));
        if (c.terminated) {
            EXPECT_EQ(buffer[copied], '\0');
        }
        EXPECT_EQ(buffer[PRODUCT_STRING_SIZE], '#');  // nothing past the caller's 100 bytes
        EXPECT_NE(bridge.getProductString(1, buffer, PRODUCT_DESCRIPTION), 0);
        EXPECT_NE(bridge.getProductString(0, buffer, 0), 0);
    }
}

TEST(SimulatedBridge, FailsTheChosenCallOnly) {
    SimulatedBridge bridge;
    bridge.settings().failingCalls = {{BridgeCall::GetNumDevices, 2}};
    uint32_t count = 7;
    EXPECT_EQ(bridge.getNumDevices(&count), 0);
    EXPECT_EQ(count, 1u);
    count = 7;
    EXPECT_EQ(bridge.getNumDevices(&count), SIM_FAILURE_STATUS);
    EXPECT_EQ(count, 7u);  // untouched by a failed call
    EXPECT_EQ(bridge.getNumDevices(&count), 0);
    EXPECT_EQ(bridge.callCount(BridgeCall::GetNumDevices), 3u);
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

    uint32_t waiting = 0;
    uint32_t status = 0;
    int dummy = 0;
    EXPECT_NE(bridge.checkRxQueue(&dummy, &waiting, &status), 0);
    EXPECT_NE(bridge.setBaudRate(nullptr, 57600), 0);
    EXPECT_EQ(bridge.close(first), 0);
    EXPECT_NE(bridge.close(first), 0);
    EXPECT_NE(bridge.flushBuffers(first, 1, 1), 0);
    EXPECT_EQ(bridge.open(0, &first), 0);  // free again
}

TEST(SimulatedBridge, TheBoardsHearOnlyARightlySetUpLine) {
    struct Case {
        uint32_t baud;
        uint16_t lineControl;
        bool answered;
    };
    for (const Case& c : {Case{57600, 0x0801, true}, Case{9600, 0x0801, false},
                          Case{57600, 0x0802, false}, Case{0, 0, false}}) {
        SCOPED_TRACE(c.baud);
        SimulatedBridge bridge;
        DeviceHandle handle = nullptr;
        ASSERT_EQ(bridge.open(0, &handle), 0);
        if (c.baud) bridge.setBaudRate(handle, c.baud);
        if (c.lineControl) bridge.setLineControl(handle, c.lineControl);
        const uint8_t request[] = {0x00, 0x05, 0x55, 0xAA, 0x01};
        uint32_t written = 0;
        ASSERT_EQ(bridge.write(handle, request, 5, &written, nullptr), 0);
        EXPECT_EQ(written, 5u);
        uint32_t waiting = 0;
        uint32_t status = 0;
        ASSERT_EQ(bridge.checkRxQueue(handle, &waiting, &status), 0);
        EXPECT_EQ(waiting, c.answered ? 179u : 0u);
        EXPECT_EQ(status, c.answered ? 2u : 0u);
    }
}

TEST(SimulatedBridge, ReadsTakeWhatWaitsAndFlushesDropIt) {
    SimulatedBridge bridge;
    DeviceHandle handle = nullptr;
    ASSERT_EQ(bridge.open(0, &handle), 0);
    bridge.setBaudRate(handle, 57600);
    bridge.setLineControl(handle, 0x0801);
    bridge.boards().putInHostQueue({1, 2, 3});
    uint8_t buffer[8] = {};
    uint32_t got = 0;
    ASSERT_EQ(bridge.read(handle, buffer, 2, &got, nullptr), 0);
    EXPECT_EQ(got, 2u);
    ASSERT_EQ(bridge.read(handle, buffer, 5, &got, nullptr), 0);
    EXPECT_EQ(got, 1u);  // a time-out: what there was
    EXPECT_EQ(buffer[0], 3);
    bridge.boards().putInHostQueue({4, 5});
    ASSERT_EQ(bridge.flushBuffers(handle, 0, 1), 0);
    uint32_t waiting = 9;
    uint32_t status = 9;
    ASSERT_EQ(bridge.checkRxQueue(handle, &waiting, &status), 0);
    EXPECT_EQ(waiting, 0u);
    EXPECT_EQ(status, 0u);
}

}  // namespace
}  // namespace tivra::test
