#include "config/form_transfer.h"

#include <gtest/gtest.h>

#include <string>

#include "config_bench.h"

namespace tivra::test {
namespace {

TEST(DefaultChannelConfig, JoinsPortNToPortN) {
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        const int8_t port = static_cast<int8_t>(n - 1);
        EXPECT_EQ(DefaultChannelConfig(n),
                  (ChannelConfig{0, 0, port, 57600, 0, port, 57600, 0, 1, 10}))
            << n;
    }
}

TEST(FormToConfiguration, TypedNumbersFollowTheNumberRuleAndSaturateToTheirField) {
    struct Case {
        int offset;
        std::string typed;
        int32_t stored;
    };
    const Case cases[] = {
        {OFFSET_LOCAL_BAUDRATE, "57600 bit/s", 57600},
        {OFFSET_LOCAL_BAUDRATE, "fast", 0},
        {OFFSET_REMOTE_BAUDRATE, "\t+12", 12},
        {OFFSET_REMOTE_BAUDRATE, "\n12", 0},
        {OFFSET_REMOTE_BAUDRATE, "99999999999", 2147483647},
        {OFFSET_REMOTE_BAUDRATE, "-99999999999", -2147483647 - 1},
        {OFFSET_CHUNKSIZE, "12 bytes", 12},
        {OFFSET_CHUNKSIZE, "70000", 32767},
        {OFFSET_CHUNKSIZE, "65936", 32767},  // not 400
        {OFFSET_CHUNKSIZE, "-70000", -32768},
    };
    for (const Case& c : cases) {
        ConfigBench b;
        b.setText(6, c.offset, c.typed);
        formToConfiguration(b.form, b.state.configuration);
        const ChannelConfig& ch = b.state.configuration.channel(6);
        const int32_t stored = c.offset == OFFSET_LOCAL_BAUDRATE    ? ch.localBaudrate
                               : c.offset == OFFSET_REMOTE_BAUDRATE ? ch.remoteBaudrate
                                                                    : ch.chunksize;
        EXPECT_EQ(stored, c.stored) << "'" << c.typed << "'";
    }
}

TEST(FormToConfiguration, TheBlankFormReadsAsNothingChosen) {
    ConfigBench b;
    formToConfiguration(b.form, b.state.configuration);
    for (int n = 1; n <= CHANNEL_COUNT; ++n)
        EXPECT_EQ(b.state.configuration.channel(n),
                  (ChannelConfig{0, -1, -1, 0, -1, -1, 0, -1, 0, 0}));
}

}  // namespace
}  // namespace tivra::test
