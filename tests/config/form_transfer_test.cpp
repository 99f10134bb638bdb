// Numbers as typed into the form, and the form read into a configuration.

#include "config/form_transfer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "config/number_text.h"
#include "config_bench.h"

namespace tivra::test {
namespace {

constexpr int32_t MAX32 = std::numeric_limits<int32_t>::max();
constexpr int32_t MIN32 = std::numeric_limits<int32_t>::min();

// The form's rule (the default, BlanksAndTabs) skips blanks and tabs only; the files' rule any C
// white space. Field widths: form texts saturate (FormToConfiguration), file values keep their low
// bits (SettingsFileTest.ValuesKeepTheLowBitsOfTheirField).
// "\240" is a no-break space, not a blank; 2^64 + 1 and 2^32 + 1 must not wrap to 1.
TEST(NumberValue, FollowsTheTextRule) {
    struct Case {
        std::string text;
        int32_t form;
        int32_t atoi_;
    };
    const Case texts[] = {{"abc", 0, 0},     {"", 0, 0},        {" -5", -5, -5}, {"\t+12", 12, 12},
                          {" \t \t7", 7, 7}, {"-", 0, 0},       {"+-3", 0, 0},   {"- 3", 0, 0},
                          {"0x1F", 0, 0},    {"\r\n-5", 0, -5}, {"\v\f9", 0, 9}, {"\2405", 0, 0}};
    const Case longer[] = {{"57600 bit/s", 57600, 57600},          {std::string("4\0002", 3), 4, 4},
                           {"2147483647", MAX32, MAX32},           {"2147483648", MAX32, MAX32},
                           {"-2147483648", MIN32, MIN32},          {"-2147483649", MIN32, MIN32},
                           {"18446744073709551617", MAX32, MAX32}, {"4294967297", MAX32, MAX32},
                           {std::string(5000, '9'), MAX32, MAX32}};
    const auto check = [](const Case& c) {
        SCOPED_TRACE("'" + c.text + "'");
        EXPECT_EQ(numberValue(c.text), c.form);
        EXPECT_EQ(numberValue(c.text, LeadingSpace::WhiteSpace), c.atoi_);
    };
    for (const Case& c : texts) check(c);
    for (const Case& c : longer) check(c);
}

TEST(FormToConfiguration, TypedNumbersFollowTheNumberRuleAndSaturateToTheirField) {
    struct Case {
        int offset;
        std::string typed;
        int32_t stored;
    };
    // The form skips blanks and tabs only; a chunksize of 65936 must not wrap to a valid 400.
    const Case cases[] = {
        {LBAUD, "\n12", 0},      {RBAUD, "\t+12", 12},    {RBAUD, "-99999999999", INT32_MIN},
        {CHUNK, "12 bytes", 12}, {CHUNK, "65936", 32767}, {CHUNK, "-70000", -32768}};
    for (const Case& c : cases) {
        ConfigBench b;
        b.setText(6, c.offset, c.typed);
        formToConfiguration(b.form, b.state.configuration);
        const ChannelConfig& ch = b.state.configuration.channel(6);
        const int32_t stored = c.offset == LBAUD   ? ch.localBaudrate
                               : c.offset == RBAUD ? ch.remoteBaudrate
                                                   : ch.chunksize;
        EXPECT_EQ(stored, c.stored) << "'" << c.typed << "'";
        // The rest of the blank form reads as nothing chosen.
        EXPECT_EQ(b.state.configuration.channel(1),
                  (ChannelConfig{0, -1, -1, 0, -1, -1, 0, -1, 0, 0}));
    }
}

}  // namespace
}  // namespace tivra::test
