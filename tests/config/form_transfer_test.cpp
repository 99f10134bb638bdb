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
    // The form skips blanks and tabs only; a chunksize of 65936 must not wrap to a valid 400.
    const Case cases[] = {{LBAUD, "57600 bit/s", 57600}, {LBAUD, "\n12", 0},
                          {RBAUD, "\t+12", 12},          {RBAUD, "-99999999999", INT32_MIN},
                          {CHUNK, "12 bytes", 12},       {CHUNK, "65936", 32767},
                          {CHUNK, "-70000", -32768}};
    for (const Case& c : cases) {
        ConfigBench b;
        b.setText(6, c.offset, c.typed);
        formToConfiguration(b.form, b.state.configuration);
        const ChannelConfig& ch = b.state.configuration.channel(6);
        const int32_t stored = c.offset == LBAUD   ? ch.localBaudrate
                               : c.offset == RBAUD ? ch.remoteBaudrate
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
