// The settings document: what the reader makes of every line form, line ends, byte-order marks
// and NUL bytes, and where the writer puts its lines. (Arbitrary bytes: fuzz/smc_file.cpp.
// Unreadable files: the Read Error tests of file_commands_test.cpp and tivractl's "cannot open"
// lines in tests/cli.)

#include "files/settings_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "config/channel_config.h"
#include "files/configuration_document.h"
#include "support/configuration_views.h"
#include "support/temp_folder.h"

namespace tivra::test {
namespace {

using Kind = SettingsLine::Kind;

SettingsLine group(const std::string& name) {
    return {Kind::Group, name, {}};
}
SettingsLine comment(const std::string& text) {
    return {Kind::Comment, text, {}};
}
SettingsLine entry(const std::string& key, const std::string& value) {
    return {Kind::Entry, key, value};
}

class SettingsFileTest : public ::testing::Test {
  protected:
    // Opens a document holding exactly these bytes.
    void open(SettingsFile& file, const std::string& bytes) {
        const std::string path = folder.file("doc-" + std::to_string(++count_) + ".smc");
        writeBytes(path, bytes);
        ASSERT_NE(file.openForReading(path), 0) << file.error();
    }
    std::vector<SettingsLine> linesOf(const std::string& bytes) {
        SettingsFile file;
        open(file, bytes);
        return file.lines();
    }

    TempFolder folder;

  private:
    int count_ = 0;
};

TEST_F(SettingsFileTest, ReadsEveryLineForm) {
    struct Case {
        const char* what;
        std::string content;
        int32_t expected;  // of "Priority" in group "Channel 1", default 1
        std::string key = "Priority";
    };
    const std::vector<Case> cases = {
        {"group letter case", "[CHANNEL 1]\r\nPriority = 4\r\n", 4},
        {"key letter case, no blanks", "[Channel 1]\r\npriority=2\r\n", 2},
        {"blanks inside brackets count", "[ Channel 1 ]\r\nPriority = 4\r\n", 1},
        {"a longer name is another group", "[Channel 10]\r\nPriority = 4\r\n", 1},
        {"group without ]", "[Channel 1\r\nPriority = 4\r\n", 4},
        {"text after ]", "[Channel 1] more text\r\nPriority = 4\r\n", 4},
        {"comment after value", "[Channel 1]\r\nPriority = 3 ; fast\r\n", 3},
        {"value not a number", "[Channel 1]\r\nPriority = fast\r\n", 0},
        {"empty value", "[Channel 1]\r\nPriority =   \r\n", 0},
        {"key without =", "[Channel 1]\r\nPriority\r\n", 0},
        {"key without = at the end", "[Channel 1]\r\nPriority", 0},
        {"blanks and tabs around =", "[Channel 1]\r\nPriority \t=\t 6\r\n", 6},
        {"blanks before [ ; and key", "  \t[Channel 1]\r\n \t; c\r\n\t Priority = 6\r\n", 6},
        {"a commented-out entry", "[Channel 1]\r\n  ; Priority = 6\r\n", 1},
        {"first of two keys", "[Channel 1]\r\nPriority = 2\r\nPRIORITY = 3\r\n", 2},
        {"first of two groups", "[Channel 1]\r\nEnabled = 2\r\n[channel 1]\r\nPriority = 9\r\n", 1},
        {"section ends at next group", "[Channel 1]\r\n[Channel 2]\r\nPriority = 3\r\n", 1},
        {"further = belong to value", "[Channel 1]\r\nPriority = 3 = 4\r\n", 3},
        {"atoi skips any white space", "[Channel 1]\r\nPriority =\v\f-7\r\n", -7},
        {"too large saturates", "[Channel 1]\r\nPriority = 99999999999999999999\r\n",
         std::numeric_limits<int32_t>::max()},
        {"missing group gives default", "Priority = 5\r\n", 1},
        {"entry with empty key", "[Channel 1]\r\n= 5\r\nPriority = 4\r\n", 4},
        {"inner blanks of keys count", "[Channel 1]\r\nSensor  Type = 3\r\n", 1, "Sensor Type"},
    };
    for (const Case& c : cases) {
        SettingsFile file;
        open(file, c.content);
        file.selectGroup("Channel 1");
        EXPECT_EQ(file.readInteger(c.key, 1), c.expected) << c.what;
    }
    // Entries before any group are read while none is selected.
    SettingsFile top;
    open(top, "Priority = 5\r\n[Channel 1]\r\nPriority = 6\r\n");
    EXPECT_EQ(top.readInteger("Priority", 1), 5);
}

TEST_F(SettingsFileTest, ValuesKeepTheLowBitsOfTheirFieldAndMissingKeysTheirDefaults) {
    SettingsFile file;
    open(file,
         "[Channel 1]\r\nEnabled = 257\r\nSensor Type = 255\r\nChunksize = 65537\r\n"
         "[Channel 2]\r\nChunksize = 40000\r\nEnabled = 99999999999\r\n"
         "Local Port = -99999999999\r\nRemote Baudrate = 4294967296\r\n"
         "[Channel 3]\r\nPriority = 11\r\nLocal Mode = 7\r\n");  // no range check
    MuxConfiguration read;
    readConfiguration(file, read);
    MuxConfiguration expected = defaultConfiguration();
    expected.channel(1).enabled = 1;
    expected.channel(1).sensorType = -1;
    expected.channel(1).chunksize = 1;
    expected.channel(2).chunksize = -25536;
    expected.channel(2).enabled = -1;   // saturated to 0x7FFFFFFF, then cut to 0xFF
    expected.channel(2).localPort = 0;  // saturated to 0x80000000, then cut
    expected.channel(2).remoteBaudrate = std::numeric_limits<int32_t>::max();
    expected.channel(3).priority = 11;
    expected.channel(3).localMode = 7;
    EXPECT_EQ(read, expected);
}

TEST_F(SettingsFileTest, LineEndsOfEveryKindReadAlike) {
    const std::vector<std::string> lines = {"; top",        "[Channel 3]", "Enabled = 1",      "; ",
                                            "Baud = 19200", "[Channel 7]", "Chunksize = 400  "};
    const auto joined = [&](const std::string& end) {
        std::string text;
        for (const auto& line : lines) text += line + end;
        return text;
    };
    const std::vector<SettingsLine> expected = {
        comment("top"),         group("Channel 3"), entry("Enabled", "1"),      comment(""),
        entry("Baud", "19200"), group("Channel 7"), entry("Chunksize", "400  ")};
    const std::vector<std::string> variants = {
        joined("\r\n"), joined("\n"), joined("\r"), joined("\n\r"), joined("\r\n\r\n\n\r"),
        // Mixed, and no line end after the last line.
        lines[0] + "\n" + lines[1] + "\r" + lines[2] + "\r\n" + lines[3] + "\r\n\n" + lines[4] +
            "\n" + lines[5] + "\r" + lines[6]};
    for (const std::string& text : variants) EXPECT_EQ(linesOf(text), expected);
}

TEST_F(SettingsFileTest, ByteOrderMarkIsSkippedAndNamesAreMatchedAsUtf8) {
    const std::string text = "[Channel 1]\r\nEnabled = 1\r\n[Kanal \xC3\xA9]\r\nPriority = 9\r\n";
    SettingsFile file;
    open(file, "\xEF\xBB\xBF" + text);
    EXPECT_TRUE(file.isUtf8());
    EXPECT_EQ(file.lines(), linesOf(text));
    // 8-bit names are converted before they are compared: 0xE9 is C3 A9.
    EXPECT_EQ(file.selectGroup("Kanal \xE9"), 1);
    EXPECT_EQ(file.readInteger("Priority", 1), 9);

    // Without the mark the bytes are plain: the 8-bit name does not match.
    SettingsFile plain;
    open(plain, text);
    EXPECT_FALSE(plain.isUtf8());
    EXPECT_EQ(plain.selectGroup("Kanal \xE9"), 0);

    // A mark that is cut short is part of the text.
    EXPECT_EQ(linesOf("\xEF\xBB=1"), std::vector{entry("\xEF\xBB", "1")});
}

TEST_F(SettingsFileTest, NulBytesEndLines) {
    using namespace std::string_literals;
    const std::vector<std::pair<std::string, std::vector<SettingsLine>>> cases = {
        {"Enabled = 1\0Priority = 7\r\n"s, {entry("Enabled", "1"), entry("Priority", "7")}},
        {"; note\0[Channel 1]\r\n"s, {comment("note"), group("Channel 1")}},
        {"[Chan\0nel 1]\r\n"s, {group("Chan"), entry("nel 1]", "")}},
        {"\0\0\0"s, {}},
        {"Priority\0= 4"s, {entry("Priority", ""), entry("", "4")}},
        {"[Channel 1]\0\0\r\n\0Enabled = 1\0"s, {group("Channel 1"), entry("Enabled", "1")}},
    };
    for (const auto& [content, expected] : cases) EXPECT_EQ(linesOf(content), expected);
}

TEST_F(SettingsFileTest, WritesPutLinesWhereTheRulesSay) {
    const std::string path = folder.file("doc.smc");
    writeBytes(path, "; top\n[A]\nx = 1\n[B]\ny = 2\n");
    SettingsFile file;
    ASSERT_NE(file.openForReading(path), 0);
    EXPECT_EQ(file.selectGroup("a"), 1);
    file.writeInteger("X", 5);  // replaces, taking the key as now given
    file.writeInteger("z", 3);  // new: at the end of the section
    file.writeComment("c");     // after the last line written
    EXPECT_EQ(file.selectGroup("C"), 0);
    EXPECT_EQ(file.readInteger("y", 8), 8);  // nothing is read from a group that does not exist
    file.writeInteger("w", -7);              // creates the group at the end
    file.writeComment("");
    file.selectGroup("D");
    file.writeComment("d");  // creates the group, then comes after it
    EXPECT_TRUE(file.close());
    EXPECT_EQ(readBytes(path),
              "; top\r\n[A]\r\nX = 5\r\nz = 3\r\n; c\r\n[B]\r\ny = 2\r\n[C]\r\nw = -7\r\n; "
              "\r\n[D]\r\n; d\r\n");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"doc.smc"});

    // A document only read is not written back.
    writeBytes(path, "[a]\nx=1\n");
    SettingsFile reader;
    ASSERT_NE(reader.openForReading(path), 0);
    reader.selectGroup("b");
    EXPECT_TRUE(reader.close());
    EXPECT_EQ(readBytes(path), "[a]\nx=1\n");
}

}  // namespace
}  // namespace tivra::test
