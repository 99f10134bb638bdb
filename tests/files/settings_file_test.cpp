// The settings document: what the reader makes of every line form, line ends, byte-order marks,
// NUL bytes and arbitrary bytes, and where the writer puts its lines.

#include "files/settings_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <future>
#include <limits>
#include <random>
#include <thread>

#include "config/channel_config.h"
#include "files/configuration_document.h"
#include "support/temp_folder.h"

namespace tivra {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;
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

MuxConfiguration defaults() {
    MuxConfiguration c;
    for (int n = 1; n <= CHANNEL_COUNT; ++n) c.channel(n) = DefaultChannelConfig(n);
    return c;
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
    MuxConfiguration configurationOf(const std::string& bytes) {
        SettingsFile file;
        open(file, bytes);
        MuxConfiguration c;
        readConfiguration(file, c);
        return c;
    }

    TempFolder folder;

  private:
    int count_ = 0;
};

struct ReadCase {
    const char* what;
    std::string content;
    std::string group;  // "" selects nothing
    std::string key;
    int32_t fallback;
    int32_t expected;
};

TEST_F(SettingsFileTest, ReadsEveryLineForm) {
    constexpr int32_t MAX = std::numeric_limits<int32_t>::max();
    constexpr int32_t MIN = std::numeric_limits<int32_t>::min();
    const std::vector<ReadCase> cases = {
        {"group letter case", "[CHANNEL 3]\r\nPriority = 4\r\n", "Channel 3", "Priority", 1, 4},
        {"key letter case, no blanks", "[Channel 1]\r\nsensor type=2\r\n", "Channel 1",
         "Sensor Type", 0, 2},
        {"blanks inside brackets count", "[ Channel 2 ]\r\nPriority = 4\r\n", "Channel 2",
         "Priority", 1, 1},
        {"group without ]", "[Channel 4\r\nPriority = 4\r\n", "Channel 4", "Priority", 1, 4},
        {"text after ]", "[Channel 5] more text\r\nPriority = 4\r\n", "Channel 5", "Priority", 1,
         4},
        {"comment after value", "[Channel 1]\r\nPriority = 3 ; fast\r\n", "Channel 1", "Priority",
         1, 3},
        {"value not a number", "[Channel 1]\r\nPriority = fast\r\n", "Channel 1", "Priority", 1, 0},
        {"key without =", "[Channel 1]\r\nPriority\r\n", "Channel 1", "Priority", 1, 0},
        {"key without = at the end", "[Channel 1]\r\nPriority", "Channel 1", "Priority", 1, 0},
        {"blanks and tabs around =", "[Channel 1]\r\nPriority \t=\t 6\r\n", "Channel 1", "Priority",
         1, 6},
        {"blanks before [ ; and key", "  \t[Channel 1]\r\n \t; c\r\n\t Priority = 6\r\n",
         "Channel 1", "Priority", 1, 6},
        {"a commented-out entry", "[Channel 1]\r\n  ; Priority = 6\r\n", "Channel 1", "Priority", 1,
         1},
        {"first of two keys", "[Channel 1]\r\nPriority = 2\r\nPRIORITY = 3\r\n", "Channel 1",
         "Priority", 1, 2},
        {"first of two groups", "[Channel 1]\r\nPriority = 2\r\n[channel 1]\r\nChunksize = 9\r\n",
         "Channel 1", "Chunksize", 10, 10},
        {"section ends at next group", "[Channel 1]\r\n[Channel 2]\r\nPriority = 3\r\n",
         "Channel 1", "Priority", 1, 1},
        {"further = belong to value", "[Channel 1]\r\nPriority = 3 = 4\r\n", "Channel 1",
         "Priority", 1, 3},
        {"atoi skips any white space", std::string("[Channel 1]\r\nPriority =\v\f7\r\n"),
         "Channel 1", "Priority", 1, 7},
        {"plus sign", "[Channel 1]\r\nPriority = +5\r\n", "Channel 1", "Priority", 1, 5},
        {"minus sign", "[Channel 1]\r\nPriority = -3\r\n", "Channel 1", "Priority", 1, -3},
        {"leading zeros", "[Channel 1]\r\nPriority = 007\r\n", "Channel 1", "Priority", 1, 7},
        {"sign alone", "[Channel 1]\r\nPriority = -\r\n", "Channel 1", "Priority", 1, 0},
        {"too large saturates", "[Channel 1]\r\nLocal Baudrate = 99999999999999999999\r\n",
         "Channel 1", "Local Baudrate", 57600, MAX},
        {"too small saturates", "[Channel 1]\r\nLocal Baudrate = -99999999999\r\n", "Channel 1",
         "Local Baudrate", 57600, MIN},
        {"32-bit limits", "[Channel 1]\r\nLocal Baudrate = -2147483648\r\n", "Channel 1",
         "Local Baudrate", 57600, MIN},
        {"inner blanks of keys count", "[Channel 1]\r\nSensor  Type = 3\r\n", "Channel 1",
         "Sensor Type", 9, 9},
        {"entries before any group", "Priority = 5\r\n[Channel 1]\r\nPriority = 6\r\n", "",
         "Priority", 1, 5},
        {"missing group gives default", "Priority = 5\r\n", "Channel 1", "Priority", 1, 1},
        {"entry with empty key", "[Channel 1]\r\n= 5\r\nPriority = 4\r\n", "Channel 1", "Priority",
         1, 4},
        {"empty value", "[Channel 1]\r\nPriority =   \r\n", "Channel 1", "Priority", 1, 0},
    };
    for (const ReadCase& c : cases) {
        SettingsFile file;
        open(file, c.content);
        if (!c.group.empty()) file.selectGroup(c.group);
        EXPECT_EQ(file.readInteger(c.key, c.fallback), c.expected) << c.what;
    }
}

TEST_F(SettingsFileTest, SelectGroupFindsOnlyExactNames) {
    SettingsFile file;
    open(file, "[Channel 1]\r\n[ Channel 2 ]\r\n[Channel 30]\r\n");
    EXPECT_EQ(file.selectGroup("channel 1"), 1);
    EXPECT_EQ(file.selectGroup("Channel 2"), 0);
    EXPECT_EQ(file.selectGroup("Channel 3"), 0);
    EXPECT_EQ(file.selectGroup(" Channel 2 "), 1);
}

struct FieldCase {
    const char* what;
    std::string entries;  // inside [Channel 1]
    ChannelConfig expected;
};

TEST_F(SettingsFileTest, ValuesKeepTheLowBitsOfTheirField) {
    auto with = [](auto change) {
        ChannelConfig c = DefaultChannelConfig(1);
        change(c);
        return c;
    };
    const std::vector<FieldCase> cases = {
        {"8-bit keeps low 8 bits", "Enabled = 257\r\n", with([](auto& c) { c.enabled = 1; })},
        {"255 is -1", "Sensor Type = 255\r\n", with([](auto& c) { c.sensorType = -1; })},
        {"16-bit keeps low 16 bits", "Chunksize = 65537\r\n",
         with([](auto& c) { c.chunksize = 1; })},
        {"16-bit sign", "Chunksize = 40000\r\n", with([](auto& c) { c.chunksize = -25536; })},
        {"saturated then cut", "Enabled = 99999999999\r\n", with([](auto& c) { c.enabled = -1; })},
        {"negative saturated then cut", "Local Port = -99999999999\r\n",
         with([](auto& c) { c.localPort = 0; })},
        {"32-bit saturated", "Remote Baudrate = 4294967296\r\n",
         with([](auto& c) { c.remoteBaudrate = std::numeric_limits<int32_t>::max(); })},
        {"no range check", "Priority = 11\r\nLocal Mode = 7\r\n", with([](auto& c) {
             c.priority = 11;
             c.localMode = 7;
         })},
    };
    for (const FieldCase& c : cases) {
        const MuxConfiguration read = configurationOf("[Channel 1]\r\n" + c.entries);
        EXPECT_EQ(read.channel(1), c.expected) << c.what;
    }
}

TEST_F(SettingsFileTest, MissingGroupsAndKeysTakeTheDefaults) {
    const MuxConfiguration read = configurationOf("[Channel 2]\r\nEnabled = 1\r\n");
    MuxConfiguration expected = defaults();
    expected.channel(2).enabled = 1;
    EXPECT_EQ(read, expected);
    EXPECT_EQ(read.channel(8).localPort, 7);
    EXPECT_EQ(read.channel(8).remotePort, 7);
}

TEST_F(SettingsFileTest, LineEndsOfEveryKindReadAlike) {
    const std::vector<std::string> lines = {"; Serial Multiplexer Configuration File",
                                            "[Channel 3]",
                                            "Enabled = 1",
                                            "; ",
                                            "Local Baudrate = 19200",
                                            "[Channel 7]",
                                            "Chunksize = 400  "};
    auto joined = [&](const std::string& end) {
        std::string text;
        for (const auto& line : lines) text += line + end;
        return text;
    };
    const std::vector<SettingsLine> expected = {
        comment("Serial Multiplexer Configuration File"),
        group("Channel 3"),
        entry("Enabled", "1"),
        comment(""),
        entry("Local Baudrate", "19200"),
        group("Channel 7"),
        entry("Chunksize", "400  "),
    };
    const std::vector<std::string> variants = {
        joined("\r\n"),
        joined("\n"),
        joined("\r"),
        joined("\n\r"),
        joined("\r\n\r\n\n\r"),
        // Mixed, and no line end after the last line.
        lines[0] + "\n" + lines[1] + "\r" + lines[2] + "\r\n" + lines[3] + "\r\n\n" + lines[4] +
            "\n" + lines[5] + "\r" + lines[6],
    };
    for (const std::string& text : variants) EXPECT_EQ(linesOf(text), expected);
    EXPECT_EQ(configurationOf(joined("\r")), configurationOf(joined("\r\n")));
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
    EXPECT_EQ(linesOf("\xEF\xBB"
                      "Enabled = 1"),
              std::vector{entry("\xEF\xBB"
                                "Enabled",
                                "1")});
}

TEST_F(SettingsFileTest, EmptyFilesOpenAndGiveDefaults) {
    for (const std::string content : {"", "\xEF\xBB\xBF", "\r\n\r\n", "   \t  "}) {
        SettingsFile file;
        open(file, content);
        EXPECT_TRUE(file.lines().empty());
        MuxConfiguration c;
        readConfiguration(file, c);
        EXPECT_EQ(c, defaults());
    }
}

TEST_F(SettingsFileTest, NulBytesEndLines) {
    using namespace std::string_literals;
    const std::vector<std::pair<std::string, std::vector<SettingsLine>>> cases = {
        {"Enabled = 1\0Priority = 7\r\n"s, {entry("Enabled", "1"), entry("Priority", "7")}},
        {"; note\0[Channel 1]\r\n"s, {comment("note"), group("Channel 1")}},
        {"[Chan\0nel 1]\r\n"s, {group("Chan"), entry("nel 1]", "")}},
        {"\0\0\0"s, {}},
        {"Priority = \0"s, {entry("Priority", "")}},
        {"Priority\0= 4"s, {entry("Priority", ""), entry("", "4")}},
        {"[Channel 1]\0\0\r\n\0Enabled = 1\0"s, {group("Channel 1"), entry("Enabled", "1")}},
    };
    for (const auto& [content, expected] : cases) EXPECT_EQ(linesOf(content), expected);
}

TEST_F(SettingsFileTest, UnreadableFilesGiveDefaults) {
    for (const std::string& path : {folder.file("missing.smc"), folder.path()}) {
        SettingsFile file;
        EXPECT_EQ(file.openForReading(path), 0) << path;
        EXPECT_NE(file.error().find(path), std::string::npos) << file.error();
        MuxConfiguration c;
        readConfiguration(file, c);
        EXPECT_EQ(c, defaults());
        EXPECT_TRUE(file.close());
    }
    EXPECT_EQ(folder.names(), std::vector<std::string>{});
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
    EXPECT_TRUE(file.close());
    EXPECT_EQ(readBytes(path),
              "; top\r\n[A]\r\nX = 5\r\nz = 3\r\n; c\r\n[B]\r\ny = 2\r\n[C]\r\nw = -7\r\n; \r\n");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"doc.smc"});
}

TEST_F(SettingsFileTest, ADocumentOnlyReadIsNotWritten) {
    const std::string path = folder.file("doc.smc");
    const std::string bytes = "[a]\nx=1\n";
    writeBytes(path, bytes);
    SettingsFile file;
    ASSERT_NE(file.openForReading(path), 0);
    file.selectGroup("b");
    EXPECT_TRUE(file.close());
    EXPECT_EQ(readBytes(path), bytes);
}

TEST_F(SettingsFileTest, ExtremeValuesAreWrittenAsPlainDecimals) {
    SettingsFile file;
    file.createInMemory();
    file.selectGroup("G");
    for (int32_t v :
         {0, -1, 7, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()})
        file.writeInteger("k" + std::to_string(v), v);
    EXPECT_EQ(file.documentText(),
              "[G]\r\nk0 = 0\r\nk-1 = -1\r\nk7 = 7\r\nk-2147483648 = -2147483648\r\n"
              "k2147483647 = 2147483647\r\n");
}

// Arbitrary bytes: the reader always finishes, every line it makes is a single line, and what it
// writes back reads as the same lines.
TEST_F(SettingsFileTest, ArbitraryBytesNeverCrashOrHang) {
    constexpr int INPUTS = 3000;
    auto run = [this]() {
        std::mt19937 random(20240613);
        const std::string_view structural = "[];= \t\r\n-+019aZ";
        auto byte = [&]() -> char {
            const auto pick = random() % 8;
            if (pick == 0) return static_cast<char>(random() % 256);
            if (pick == 1) return '\0';
            return structural[random() % structural.size()];
        };
        SettingsFile reread;
        for (int i = 0; i < INPUTS; ++i) {
            std::string bytes = (random() % 8 == 0) ? "\xEF\xBB\xBF" : "";
            const size_t length = random() % 200;
            for (size_t k = 0; k < length; ++k) bytes.push_back(byte());

            SettingsFile file;
            open(file, bytes);
            MuxConfiguration c;
            readConfiguration(file, c);
            for (const SettingsLine& line : file.lines())
                for (const std::string* text : {&line.name, &line.value})
                    ASSERT_EQ(text->find_first_of(std::string("\r\n\0", 3)), std::string::npos)
                        << "input " << i;
            open(reread, file.documentText());
            ASSERT_EQ(reread.lines(), file.lines()) << "input " << i;
        }
    };
    auto done = std::async(std::launch::async, run);
    if (done.wait_for(std::chrono::seconds(60)) != std::future_status::ready) {
        // A reader stuck in a loop cannot be stopped from here; end the whole program.
        std::fprintf(stderr, "the reader did not finish %d inputs within 60 s\n", INPUTS);
        std::_Exit(1);
    }
    done.get();
}

}  // namespace
}  // namespace tivra
