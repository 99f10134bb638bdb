// tivractl as people run it: the real binary on the examples and on malformed files, checking exit
// status, the exact lines on standard error and the exact bytes written.

#include <gtest/gtest.h>

#include "config/headless_setup.h"
#include "files/file_commands.h"
#include "support/recording_operator.h"
#include "tool_run.h"

namespace tivra {
namespace {

using test::examplePath;
using test::plainText;
using test::readBytes;
using test::runTool;
using test::TempFolder;
using test::ToolResult;
using test::writeBytes;

class TivractlTest : public ::testing::Test {
  protected:
    ToolResult run(const std::vector<std::string>& arguments) { return runTool(folder, arguments); }
    std::string file(const std::string& name, const std::string& bytes) {
        const std::string path = folder.file(name);
        writeBytes(path, bytes);
        return path;
    }
    // What the window's Open followed by Save writes for a file.
    std::string savedByTheWindow(const std::string& path) {
        ProgramState state;
        HeadlessForm form = blankHeadlessForm();
        test::RecordingOperator ui;
        state.currentConfigPath = path;
        EXPECT_EQ(openConfiguration(state, form, ui, 1), 0);
        const std::string target = folder.file("window-save.smc");
        saveConfiguration(state, form, ui, target);
        EXPECT_EQ(ui.boxes(), std::vector<std::string>{});
        return readBytes(target);
    }

    TempFolder folder;
};

TEST_F(TivractlTest, HelpForTheToolAndEachCommand) {
    ToolResult tool = run({"--help"});
    tool.out = plainText(tool.out);
    EXPECT_EQ(tool.status, 0);
    EXPECT_TRUE(tool.out.starts_with("Usage: tivractl COMMAND")) << tool.out;
    for (const char* name : {"\n  check ", "\n  format ", "\n  show "})
        EXPECT_NE(tool.out.find(name), std::string::npos) << name;
    EXPECT_EQ(tool.err, "");
    EXPECT_EQ(plainText(run({"help"}).out), tool.out);

    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"check", "--help"}, "Usage: tivractl check FILE\n"},
        {{"format", "-h"}, "Usage: tivractl format FILE [-o OUT]\n"},
        {{"show", "x.smc", "--help"}, "Usage: tivractl show FILE\n"},
        {{"help", "format"}, "Usage: tivractl format FILE [-o OUT]\n"},
    };
    for (const auto& [arguments, first] : cases) {
        const ToolResult r = run(arguments);
        EXPECT_EQ(r.status, 0) << arguments[0];
        EXPECT_TRUE(plainText(r.out).starts_with(first)) << r.out;
        EXPECT_EQ(r.err, "");
    }
}

TEST_F(TivractlTest, WrongCommandLinesSayWhatIsWrong) {
    struct Case {
        std::vector<std::string> arguments;
        std::string firstErrorLine;
    };
    const std::vector<Case> cases = {
        {{}, "Usage: tivractl COMMAND [ARGUMENTS]"},
        {{"frobnicate"}, "tivractl: unknown command 'frobnicate'"},
        {{"help", "frobnicate"}, "tivractl: unknown command 'frobnicate'"},
        {{"check"}, "tivractl check: expected one FILE"},
        {{"check", "a.smc", "b.smc"}, "tivractl check: expected one FILE"},
        {{"check", "--fast", "a.smc"}, "tivractl check: unknown option --fast"},
        {{"format", "a.smc", "-o"}, "tivractl format: option -o needs a value"},
        {{"format", "a.smc", "--output="}, "tivractl format: option -o needs a file name"},
        {{"show"}, "tivractl show: expected one FILE"},
    };
    for (const Case& c : cases) {
        const ToolResult r = run(c.arguments);
        EXPECT_EQ(r.status, 2) << c.firstErrorLine;
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')), c.firstErrorLine);
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(TivractlTest, CheckReportsWhatSaveWouldShow) {
    struct Case {
        std::string what;
        std::string path;
        int status;
        std::string err;
    };
    using namespace std::string_literals;
    const std::vector<Case> cases = {
        {"valid example", examplePath("mixed-sensors.smc"), 0, ""},
        {"hand-edited example", examplePath("hand-edited.smc"), 0, ""},
        {"failing example", examplePath("port-conflict.smc"), 1,
         "Remote Port Conflict: Check Remote Ports On Channels 5 and 6\n"},
        {"empty file: all defaults", file("empty.smc", ""), 0, ""},
        {"too large a chunk", file("chunk.smc", "[Channel 1]\nEnabled = 1\nChunksize = 401\n"), 1,
         "Invalid Chunksize: Check Channel 1 Chunksize (400 maximum)\n"},
        {"chunk that wraps to 400", file("wrap.smc", "[Channel 1]\nEnabled=1\nChunksize=65936\n"),
         0, ""},
        {"no sensor", file("sensor.smc", "[Channel 4]\nEnabled = 257\nSensor Type = -1\n"), 1,
         "Invalid Sensor: Check Channel 4 Sensor\n"},
        {"port outside the list", file("port.smc", "[Channel 3]\r\nLocal Port = 9\r\n"), 1,
         "Invalid Port: Check Channel 3 Ports\n"},
        {"local conflict", file("local.smc", "[Channel 2]\rLocal Port = 6\r"), 1,
         "Local Port Conflict: Check Local Ports On Channels 2 and 7\n"},
        {"bytes of all kinds",
         file("bytes.smc", "\xEF\xBB\xBF\0\xFF\n[Channel 2\0Enabled=1\nLocal Baudrate=x\n"s), 1,
         "Invalid Baudrate: Check Channel 2 Baudrates\n"},
    };
    for (const Case& c : cases) {
        const ToolResult r = run({"check", c.path});
        EXPECT_EQ(r.status, c.status) << c.what;
        EXPECT_EQ(r.err, c.err) << c.what;
        EXPECT_EQ(r.out, "") << c.what;
    }
}

TEST_F(TivractlTest, FilesThatCannotBeReadAreNamed) {
    const std::string missing = folder.file("missing.smc");
    for (const char* command : {"check", "format", "show"}) {
        ToolResult r = run({command, missing});
        EXPECT_EQ(r.status, 2);
        test::expectErrorLine(
            r.err, "tivractl " + std::string(command) + ": cannot open " + missing + ": ",
            "No such file or directory");
        EXPECT_EQ(r.out, "");

        r = run({command, folder.path()});
        EXPECT_EQ(r.status, 2);
        test::expectErrorLine(
            r.err,
            "tivractl " + std::string(command) + ": cannot open " + folder.path() + ": ",
            "Is a directory");
    }
    EXPECT_EQ(folder.names(), std::vector<std::string>{});
}

TEST_F(TivractlTest, FormatWritesWhatSaveWrites) {
    // A file in the saved layout formats to itself.
    const std::string mixed = readBytes(examplePath("mixed-sensors.smc"));
    ASSERT_FALSE(mixed.empty());
    ToolResult r = run({"format", examplePath("mixed-sensors.smc")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, mixed);

    // Any other file becomes exactly what the window saves after opening it.
    const std::string hand = examplePath("hand-edited.smc");
    const std::string expected = savedByTheWindow(hand);
    r = run({"format", hand});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, expected);
    EXPECT_NE(r.out.find("\r\nLocal Baudrate = 102400\r\n"), std::string::npos);

    const std::string out = folder.file("out.smc");
    r = run({"format", hand, "-o", out});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(readBytes(out), expected);

    // In place, and with the other spellings of the option.
    const std::string copy = file("copy.smc", readBytes(hand));
    EXPECT_EQ(run({"format", "--output=" + copy, copy}).status, 0);
    EXPECT_EQ(readBytes(copy), expected);
    EXPECT_EQ(run({"format", "-o" + copy, "--", copy}).status, 0);
    EXPECT_EQ(readBytes(copy), expected);
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"copy.smc", "out.smc", "window-save.smc"}));
}

TEST_F(TivractlTest, FormatOfAnInvalidFileWritesNothing) {
    const std::string out = file("out.smc", "earlier\n");
    const ToolResult r = run({"format", examplePath("port-conflict.smc"), "-o", out});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Remote Port Conflict: Check Remote Ports On Channels 5 and 6\n");
    EXPECT_EQ(readBytes(out), "earlier\n");
    EXPECT_EQ(run({"format", examplePath("port-conflict.smc")}).out, "");
}

TEST_F(TivractlTest, FormatToAPlaceThatCannotBeWrittenSaysWhy) {
    const std::string notAFolder = file("plain", "x");
    const std::string out = notAFolder + "/out.smc";
    ToolResult r = run({"format", examplePath("mixed-sensors.smc"), "-o", out});
    EXPECT_EQ(r.status, 2);
    test::expectErrorLine(r.err, "tivractl format: cannot save " + out + ": ",
                          "Not a directory (while creating a file beside it)");

    const std::string folderTarget = folder.file("target.smc");
    std::filesystem::create_directory(folderTarget);
    r = run({"format", examplePath("mixed-sensors.smc"), "-o", folderTarget});
    EXPECT_EQ(r.status, 2);
    test::expectErrorLine(r.err, "tivractl format: cannot save " + folderTarget + ": ",
                          "Is a directory (while putting it in place)");
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"plain", "target.smc"}));
}

TEST_F(TivractlTest, ShowPrintsTheChannelsByTheirTexts) {
    ToolResult r = run({"show", examplePath("mixed-sensors.smc")});
    r.out = plainText(r.out);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(
        r.out,
        "Channel  Enabled  Sensor    Local  Baudrate  Mode  Remote  Baudrate  Mode  Priority  "
        "Chunksize\n"
        "1        yes      QV Sonar  1      57600     232   1       57600     232   1         10\n"
        "2        yes      Pallion   2      115200    485   2       115200    485   1         10\n"
        "3        yes      Echo      3      38400     232   5       38400     232   1         10\n"
        "4        yes      GP Limit  4      9600      232   3       9600      485   3         64\n"
        "5        yes      GP Fixed  5      19200     485   4       19200     485   7         400\n"
        "6        no       QV Sonar  6      57600     232   6       57600     232   1         10\n"
        "7        no       GP Limit  7      9600      232   7       9600      232   5         50\n"
        "8        no       QV Sonar  8      57600     232   8       57600     232   1         "
        "10\n");

    // Values as read, not checked: outside the lists, nothing chosen, numbers as they are.
    r = run({"show", file("odd.smc",
                          "[Channel 2]\nEnabled = -3\nSensor Type = 7\nLocal Port = -1\n"
                          "Local Mode = 2\nRemote Port = 8\nRemote Baudrate = -5\n"
                          "Priority = 0\nChunksize = 40000\n")});
    r.out = plainText(r.out);
    EXPECT_EQ(r.status, 0);
    const size_t row = r.out.find("\n2 ");
    ASSERT_NE(row, std::string::npos) << r.out;
    EXPECT_EQ(
        r.out.substr(row + 1, r.out.find('\n', row + 1) - row - 1),
        "2        yes      ?(7)      -      57600     ?(2)  ?(8)    -5        232   0         "
        "-25536");
}

}  // namespace
}  // namespace tivra
