#include "config/number_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace tivra {
namespace {

constexpr int32_t MAX32 = std::numeric_limits<int32_t>::max();
constexpr int32_t MIN32 = std::numeric_limits<int32_t>::min();

TEST(NumberValue, FollowsTheTextRule) {
    struct Case {
        std::string text;
        int32_t form;   // blanks and tabs only
        int32_t atoi_;  // any C white space
    };
    const Case cases[] = {
        {"57600", 57600, 57600},
        {"57600 bit/s", 57600, 57600},
        {"abc", 0, 0},
        {"", 0, 0},
        {" ", 0, 0},
        {" -5", -5, -5},
        {"\t+12", 12, 12},
        {" \t \t7", 7, 7},
        {"-", 0, 0},
        {"+", 0, 0},
        {"-0", 0, 0},
        {"+-3", 0, 0},
        {"--3", 0, 0},
        {"- 3", 0, 0},
        {"3-4", 3, 3},
        {"12abc34", 12, 12},
        {"0x1F", 0, 0},
        {"007", 7, 7},
        {"1.5", 1, 1},
        {"1e3", 1, 1},
        {"\n5", 0, 5},
        {"\r\n-5", 0, -5},
        {"\v\f9", 0, 9},
        {std::string("4\0"
                     "2",
                     3),
         4, 4},
        {"\xA0"
         "5",
         0, 0},  // a no-break space is not a blank
        {"2147483647", MAX32, MAX32},
        {"2147483648", MAX32, MAX32},
        {"-2147483648", MIN32, MIN32},
        {"-2147483649", MIN32, MIN32},
        {"99999999999", MAX32, MAX32},
        {"-99999999999999999999999999999999", MIN32, MIN32},
        {"18446744073709551617", MAX32, MAX32},  // 2^64 + 1: must not wrap to 1
        {"4294967297", MAX32, MAX32},            // 2^32 + 1: must not wrap to 1
        {std::string(5000, '9'), MAX32, MAX32},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(numberValue(c.text), c.form) << "'" << c.text << "'";
        EXPECT_EQ(numberValue(c.text, LeadingSpace::BlanksAndTabs), c.form) << "'" << c.text << "'";
        EXPECT_EQ(numberValue(c.text, LeadingSpace::WhiteSpace), c.atoi_) << "'" << c.text << "'";
    }
}

TEST(NumberValue, FormFieldsSaturate) {
    EXPECT_EQ(fieldFromFormText<int16_t>("70000"), 32767);
    EXPECT_EQ(fieldFromFormText<int16_t>("-70000"), -32768);
    EXPECT_EQ(fieldFromFormText<int16_t>("400"), 400);
    EXPECT_EQ(fieldFromFormText<int8_t>("300"), 127);
    EXPECT_EQ(fieldFromFormText<int8_t>("-300"), -128);
    EXPECT_EQ(fieldFromFormText<int8_t>("10"), 10);
    EXPECT_EQ(fieldFromFormText<int32_t>("99999999999"), MAX32);
    EXPECT_EQ(fieldFromFormText<int32_t>("\n5"), 0);  // the form skips blanks and tabs only

    EXPECT_EQ(saturateToField<int8_t>(int64_t{1} << 40), 127);
    EXPECT_EQ(saturateToField<int16_t>(-(int64_t{1} << 40)), -32768);
    EXPECT_EQ(saturateToField<int32_t>(int64_t{MAX32} + 1), MAX32);
    EXPECT_EQ(saturateToField<int8_t>(-128), -128);
}

TEST(NumberValue, FileFieldsKeepTheLowBits) {
    EXPECT_EQ(lowBitsOfField<int8_t>(255), -1);
    EXPECT_EQ(lowBitsOfField<int8_t>(300), 44);
    EXPECT_EQ(lowBitsOfField<int8_t>(-1), -1);
    EXPECT_EQ(lowBitsOfField<int8_t>(-129), 127);
    EXPECT_EQ(lowBitsOfField<int16_t>(70000), 4464);
    EXPECT_EQ(lowBitsOfField<int16_t>(65535), -1);
    EXPECT_EQ(lowBitsOfField<int32_t>(MIN32), MIN32);
    // Digits beyond 32 bits saturate first, then the low bits are kept.
    EXPECT_EQ(fieldFromFileText<int8_t>("99999999999"), -1);   // 0x7FFFFFFF -> 0xFF
    EXPECT_EQ(fieldFromFileText<int8_t>("-99999999999"), 0);   // 0x80000000 -> 0x00
    EXPECT_EQ(fieldFromFileText<int16_t>("99999999999"), -1);  // -> 0xFFFF
    EXPECT_EQ(fieldFromFileText<int32_t>("99999999999"), MAX32);
    EXPECT_EQ(fieldFromFileText<int8_t>("\r\n-1"), -1);
    EXPECT_EQ(fieldFromFileText<int16_t>("-32768"), -32768);
}

TEST(DecimalOfField, SignedDecimal) {
    EXPECT_EQ(decimalOfField(0), "0");
    EXPECT_EQ(decimalOfField(57600), "57600");
    EXPECT_EQ(decimalOfField(-1), "-1");
    EXPECT_EQ(decimalOfField(int8_t{-128}), "-128");
    EXPECT_EQ(decimalOfField(MAX32), "2147483647");
    EXPECT_EQ(decimalOfField(MIN32), "-2147483648");
    for (int32_t v : {0, 1, -1, 400, -32768, MAX32, MIN32})
        EXPECT_EQ(numberValue(decimalOfField(v)), v);
}

}  // namespace
}  // namespace tivra
