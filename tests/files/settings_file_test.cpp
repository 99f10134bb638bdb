// The settings document: what the reader makes of every line form, line ends, byte-order marks
// and NUL bytes (rows in tests/data/files), what values keep of their fields, and that a document
// only read is never written back. (Arbitrary bytes: fuzz/smc_file.cpp. Unreadable files: the
// Read Error tests of file_commands_test.cpp and tivractl's "cannot open" lines in tests/cli.)

#include "files/settings_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "config/channel_config.h"
#include "files/configuration_document.h"
#include "support/configuration_views.h"
#include "support/data_file.h"
#include "support/temp_folder.h"

namespace tivra::test {
namespace {

using Kind = SettingsLine::Kind;

class SettingsFileTest : public ::testing::Test {
  protected:
    // Opens a document holding exactly these bytes (read whole as it opens).
    void open(SettingsFile& file, const std::string& bytes) {
        writeBytes(folder.file("doc.smc"), bytes);
        ASSERT_NE(file.openForReading(folder.file("doc.smc")), 0) << file.error();
    }

    TempFolder folder;
};

// A document's lines as [group], ;comment and key="value", separated by " | ".
std::string shown(const std::vector<SettingsLine>& lines) {
    std::string text;
    for (const SettingsLine& line : lines)
        text += (text.empty() ? "" : " | ") + (line.kind == Kind::Group ? "[" + line.name + "]"
                                               : line.kind == Kind::Comment
                                                   ? ";" + line.name
                                                   : line.name + "=\"" + line.value + "\"");
    return text.empty() ? "(none)" : text;
}

TEST_F(SettingsFileTest, ReadsEveryFormOfLine) {
    for (const auto& [what, row] : dataRows("files/read_values.txt")) {
        const std::vector<std::string> fields = fieldsOf(row, " | ");
        SettingsFile file;
        open(file, fields[0] == "(none)" ? "" : unescaped(fields[0]));
        file.selectGroup("Channel 1");
        EXPECT_EQ(file.readInteger(fields[1], 1), std::stoi(fields[2])) << what;
    }
    for (const auto& [bytes, lines] : dataRows("files/read_lines.txt", " => ")) {
        SettingsFile file;
        open(file, unescaped(bytes));
        EXPECT_EQ(shown(file.lines()), unescaped(lines)) << bytes;
    }
}

TEST_F(SettingsFileTest, ValuesKeepTheLowBitsOfTheirFieldAndMissingKeysTheirDefaults) {
    SettingsFile file;
    open(file,
         "[Channel 1]\r\nEnabled = 257\r\nSensor Type = 255\r\n"
         "[Channel 2]\r\nEnabled = 99999999999\r\n"
         "Local Port = -99999999999\r\nRemote Baudrate = 4294967296\r\n");
    MuxConfiguration read;
    readConfiguration(file, read);
    MuxConfiguration expected = defaultConfiguration();
    expected.channel(1).enabled = 1;
    expected.channel(1).sensorType = -1;
    expected.channel(2).enabled = -1;   // saturated to 0x7FFFFFFF, then cut to 0xFF
    expected.channel(2).localPort = 0;  // saturated to 0x80000000, then cut
    expected.channel(2).remoteBaudrate = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(read, expected);
}

// A byte-order mark makes names match as UTF-8 (that the mark itself is skipped: read_lines.txt).
// A document only read is never written back, not even after a group it lacks was selected.
// (Where Save puts its lines: the layout spelt out in file_test_support.h, held against every save
// in tests/files and tivractl format; Save always writes a new document.)
TEST_F(SettingsFileTest, ByteOrderMarkIsSkippedAndNamesAreMatchedAsUtf8AndNothingIsWrittenBack) {
    // LF line ends, which a document written back would not keep.
    const std::string text = "[Channel 1]\nEnabled = 1\n[Kanal \xC2\x80\xC3\xA9]\nPriority = 9\n";
    SettingsFile file;
    open(file, "\xEF\xBB\xBF" + text);
    // 8-bit names are converted before they are compared: 0x80 is C2 80, 0xE9 is C3 A9.
    EXPECT_EQ(file.selectGroup("Kanal \x80\xE9"), 1);
    EXPECT_EQ(file.readInteger("Priority", 1), 9);

    // Without the mark the bytes are plain: the 8-bit name does not match.
    SettingsFile plain;
    open(plain, text);
    EXPECT_EQ(plain.selectGroup("Kanal \x80\xE9"), 0);
    EXPECT_TRUE(plain.close());
    EXPECT_EQ(readBytes(folder.file("doc.smc")), text);
}

}  // namespace
}  // namespace tivra::test
