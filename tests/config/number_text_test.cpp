#include "config/number_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace tivra {
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

}  // namespace
}  // namespace tivra
