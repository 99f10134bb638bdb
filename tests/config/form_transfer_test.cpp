#include "config/form_transfer.h"

#include <gtest/gtest.h>

#include <string>

#include "config/value_lists.h"
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
    // Shown, channel 8's ports read "8".
    const HeadlessForm form = headlessFormShowing(defaultConfiguration());
    EXPECT_EQ(form.text(controlId(8, OFFSET_LOCAL_PORT)), "8");
    EXPECT_EQ(form.text(controlId(8, OFFSET_REMOTE_PORT)), "8");
    EXPECT_EQ(form.text(controlId(8, OFFSET_SENSOR_TYPE)), "QV Sonar");
    EXPECT_EQ(form.text(controlId(8, OFFSET_PRIORITY)), "1");
    EXPECT_EQ(form.text(controlId(8, OFFSET_CHUNKSIZE)), "10");
    EXPECT_EQ(form.text(controlId(8, OFFSET_LOCAL_MODE)), "232");
}

TEST(FormToConfiguration, TypedNumbersFollowTheNumberRuleAndSaturate) {
    struct Case {
        int offset;
        std::string typed;
        int32_t stored;
    };
    const Case cases[] = {
        {OFFSET_LOCAL_BAUDRATE, "57600 bit/s", 57600},
        {OFFSET_LOCAL_BAUDRATE, "fast", 0},
        {OFFSET_LOCAL_BAUDRATE, "", 0},
        {OFFSET_LOCAL_BAUDRATE, " -5", -5},
        {OFFSET_REMOTE_BAUDRATE, "\t+12", 12},
        {OFFSET_REMOTE_BAUDRATE, "31250", 31250},
        {OFFSET_REMOTE_BAUDRATE, "99999999999", 2147483647},
        {OFFSET_REMOTE_BAUDRATE, "-99999999999", -2147483647 - 1},
        {OFFSET_CHUNKSIZE, "400", 400},
        {OFFSET_CHUNKSIZE, "70000", 32767},
        {OFFSET_CHUNKSIZE, "65936", 32767},  // not 400
        {OFFSET_CHUNKSIZE, "-70000", -32768},
        {OFFSET_CHUNKSIZE, "12 bytes", 12},
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

TEST(FormToConfiguration, ReadsDisabledRowsAndTheBlankForm) {
    ConfigBench b;
    formToConfiguration(b.form, b.state.configuration);
    for (int n = 1; n <= CHANNEL_COUNT; ++n)
        EXPECT_EQ(b.state.configuration.channel(n),
                  (ChannelConfig{0, -1, -1, 0, -1, -1, 0, -1, 0, 0}));

    // Values behind disabled controls are read all the same.
    b.show(defaultConfiguration());
    b.setText(2, OFFSET_PRIORITY, "9");
    b.setText(2, OFFSET_CHUNKSIZE, "77");
    ASSERT_FALSE(b.form.isEnabled(controlId(2, OFFSET_PRIORITY)));
    formToConfiguration(b.form, b.state.configuration);
    EXPECT_EQ(b.state.configuration.channel(2).priority, 9);
    EXPECT_EQ(b.state.configuration.channel(2).chunksize, 77);
}

}  // namespace
}  // namespace tivra::test
