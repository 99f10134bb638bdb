// tivractl as people run it: the real binary on the examples and on malformed files, checking exit
// status, the exact lines on standard error and the exact bytes written.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <tuple>

#include "config/headless_setup.h"
#include "config/value_lists.h"
#include "files/file_commands.h"
#include "support/recording_operator.h"
#include "tool_run.h"

namespace tivra::test {
namespace {

const std::string MIXED = examplePath("mixed-sensors.smc");
const std::string HAND = examplePath("hand-edited.smc");
const std::string CONFLICT = examplePath("port-conflict.smc");
const std::string CONFLICT_BOX = "Remote Port Conflict: Check Remote Ports On Channels 5 and 6\n";
const std::string NOT_AN_ENTRY = "not a comment, a [group] or a \"key = value\" entry";

class TivractlTest : public ::testing::Test {
  protected:
    ToolResult run(const std::vector<std::string>& arguments) { return runTool(folder, arguments); }
    std::string file(const std::string& name, const std::string& bytes) {
        writeBytes(folder.file(name), bytes);
        return folder.file(name);
    }
    // What the window's Open followed by Save writes for a file.
    std::string savedByTheWindow(const std::string& path) {
        ProgramState state;
        HeadlessForm form = blankHeadlessForm();
        RecordingOperator ui;
        state.currentConfigPath = path;
        EXPECT_EQ(openConfiguration(state, form, ui, 1), 0);
        saveConfiguration(state, form, ui, folder.file("window-save.smc"));
        EXPECT_EQ(ui.boxes(), std::vector<std::string>{});
        return readBytes(folder.file("window-save.smc"));
    }

    // The warnings check prints for a file, as FILE:LINE: warning: TEXT lines.
    static std::string warningLines(const std::string& path,
                                    const std::vector<std::pair<int, std::string>>& warnings) {
        std::string lines;
        for (const auto& [line, text] : warnings)
            lines += path + ":" + std::to_string(line) + ": warning: " + text + "\n";
        return lines;
    }

    TempFolder folder;
};

TEST_F(TivractlTest, HelpAndWrongCommandLines) {
    const std::string usage = plainText(run({"--help"}).out);
    for (const char* name : {"\n  check ", "\n  format ", "\n  show ", "\n  diff ", "\n  ports "})
        EXPECT_NE(usage.find(name), std::string::npos) << name;
    EXPECT_EQ(plainText(run({"help"}).out), usage);

    // Arguments, exit status, and the first line of the help on standard output (status 0) or of
    // the error on standard error (status 2).
    const std::vector<std::tuple<std::vector<std::string>, int, std::string>> cases = {
        {{"--help"}, 0, "Usage: tivractl COMMAND [ARGUMENTS]"},
        {{"check", "--help"}, 0, "Usage: tivractl check FILE... [--strict] [--json]"},
        {{"format", "-h"}, 0, "Usage: tivractl format FILE [-o OUT]"},
        {{"show", "x.smc", "--help"}, 0, "Usage: tivractl show FILE [--json]"},
        {{"help", "format"}, 0, "Usage: tivractl format FILE [-o OUT]"},
        {{}, 2, "Usage: tivractl COMMAND [ARGUMENTS]"},
        {{"frobnicate"}, 2, "tivractl: unknown command 'frobnicate'"},
        {{"help", "frobnicate"}, 2, "tivractl: unknown command 'frobnicate'"},
        {{"check"}, 2, "tivractl check: expected one or more FILEs"},
        {{"diff", "a.smc"}, 2, "tivractl diff: expected two FILEs, or one FILE and --boards"},
        {{"read", "--json", "-o", "x"}, 2, "tivractl read: --json and -o cannot be used together"},
        {{"check", "--fast", "a.smc"}, 2, "tivractl check: unknown option --fast"},
        {{"format", "a.smc", "-o"}, 2, "tivractl format: option -o needs a value"},
        {{"format", "a.smc", "--output="}, 2, "tivractl format: option -o needs a file name"},
        {{"show"}, 2, "tivractl show: expected one FILE"},
    };
    for (const auto& [arguments, status, firstLine] : cases) {
        const ToolResult r = run(arguments);
        const std::string shown = plainText(status == 0 ? r.out : r.err);
        EXPECT_EQ(r.status, status) << firstLine;
        EXPECT_EQ(shown.substr(0, shown.find('\n')), firstLine);
        EXPECT_EQ(status == 0 ? r.err : r.out, "") << firstLine;
    }
}

TEST_F(TivractlTest, CheckReportsWhatSaveWouldShow) {
    using namespace std::string_literals;
    // File, its warnings (line, text), then the box the window would show ("" when valid).
    // Numbers read from files keep their low bits: Enabled = 257 is on, a chunksize of 65936 is
    // 400. A NUL byte ends a line for the reader, not for the line count.
    const std::string notANumber = "\"Local Baudrate\" value \"x\" is not a number, read as 0";
    const std::vector<
        std::tuple<std::string, std::vector<std::pair<int, std::string>>, std::string>>
        cases = {
            {MIXED, {}, ""},
            {CONFLICT, {}, CONFLICT_BOX},
            {file("empty.smc", ""), {}, ""},
            {file("chunk.smc", "[Channel 1]\nEnabled = 1\nChunksize = 401\n"),
             {},
             "Invalid Chunksize: Check Channel 1 Chunksize (400 maximum)\n"},
            {file("wrap.smc", "[Channel 1]\nEnabled=1\nChunksize=65936\n"),
             {{3, "\"Chunksize\" value \"65936\" does not fit in 16 bits, read as 400"}},
             ""},
            {file("sensor.smc", "[Channel 4]\nEnabled = 257\nSensor Type = -1\n"),
             {{2, "\"Enabled\" value \"257\" does not fit in 8 bits, read as 1"}},
             "Invalid Sensor: Check Channel 4 Sensor\n"},
            {file("port.smc", "[Channel 3]\r\nLocal Port = 9\r\n"),
             {},
             "Invalid Port: Check Channel 3 Ports\n"},
            {file("local.smc", "[Channel 2]\rLocal Port = 6\r"),
             {},
             "Local Port Conflict: Check Local Ports On Channels 2 and 7\n"},
            {file("bytes.smc", "\xEF\xBB\xBF\0\xFF\n[Channel 2\0Enabled=1\nLocal Baudrate=x\n"s),
             {{1, NOT_AN_ENTRY}, {3, notANumber}},
             "Invalid Baudrate: Check Channel 2 Baudrates\n"},
        };
    for (const auto& [path, warnings, box] : cases) {
        const ToolResult r = run({"check", path});
        EXPECT_EQ(r.status, box.empty() ? 0 : 1) << path;
        EXPECT_EQ(r.err, warningLines(path, warnings) + box) << path;
        EXPECT_EQ(r.out, "") << path;
    }
}

TEST_F(TivractlTest, CheckWarnsAboutEveryLineTheReaderPassesOver) {
    // A valid configuration, every line end, and every kind of line that is not read as written.
    const std::string lint = file("lint.smc",
                                  "Enabled = 1\r\n[Chanel 3]\nEnabled = 1\r[Channel 2]\r\n"
                                  "Enabeld = 1\nPriority = fast\nPRIORITY = 3\n"
                                  "Chunksize = 12 ; packets\nSensor Type = 257\nhello\n"
                                  "[channel 2]\n");
    const std::string warnings = warningLines(
        lint, {{1, "entry \"Enabled\" before any group is not read"},
               {2, "unknown group \"Chanel 3\", its lines are not read"},
               {5, "unknown key \"Enabeld\" is not read (did you mean \"Enabled\"?)"},
               {6, "\"Priority\" value \"fast\" is not a number, read as 0"},
               {7, "key \"PRIORITY\" again in this group (first on line 6), this one is not read"},
               {9, "\"Sensor Type\" value \"257\" does not fit in 8 bits, read as 1"},
               {10, NOT_AN_ENTRY},
               {11, "group \"channel 2\" again (first on line 4), its lines are not read"}});
    const std::string missing = folder.file("missing.smc");
    // Arguments, exit status (the worst file's), standard error from its start.
    const std::vector<std::tuple<std::vector<std::string>, int, std::string>> cases = {
        {{"check", lint}, 0, warnings},
        {{"check", "--strict", lint}, 1, warnings},
        {{"check", MIXED, lint, CONFLICT}, 1, warnings + CONFLICT + ": " + CONFLICT_BOX},
        {{"check", "--json", lint, CONFLICT, missing},
         2,
         warnings + CONFLICT + ": " + CONFLICT_BOX + "tivractl check: cannot open " + missing},
    };
    for (const auto& [arguments, status, err] : cases) {
        const ToolResult r = run(arguments);
        EXPECT_EQ(r.status, status) << arguments[1];
        EXPECT_EQ(status == 2 ? r.err.substr(0, err.size()) : r.err, err);
    }

    const auto report =
        nlohmann::json::parse(run({"check", "--json", lint, CONFLICT, missing}).out);
    ASSERT_EQ(report["files"].size(), 3u);
    EXPECT_EQ(report["files"][0]["verdict"], "valid");
    EXPECT_EQ(report["files"][0]["warnings"][4],
              nlohmann::json::parse(R"({"line": 7, "text": "key \"PRIORITY\" again in this group )"
                                    R"((first on line 6), this one is not read"})"));
    EXPECT_EQ(report["files"][1]["verdict"], "invalid");
    EXPECT_EQ(report["files"][1]["messages"],
              nlohmann::json::parse(R"([{"title": "Remote Port Conflict",)"
                                    R"( "text": "Check Remote Ports On Channels 5 and 6"}])"));
    EXPECT_EQ(report["files"][2]["verdict"], "unusable");
}

TEST_F(TivractlTest, DiffListsTheFieldsThatDifferAsOpenReadsThem) {
    // A, B, exit status, the lines printed: by channel, then in key order, values as stored.
    const std::vector<std::tuple<std::string, std::string, int, std::string>> cases = {
        {MIXED, MIXED, 0, ""},
        {file("empty.smc", ""), file("default.smc", "[CHANNEL 8]\nlocal port = 7\n"), 0, ""},
        {file("a.smc", "[Channel 2]\nRemote Baudrate = 9600\nEnabled=1\n"),
         file("b.smc", "[channel 2]\nremote baudrate=19200\n[Channel 1]\nChunksize = 65536\n"), 1,
         "Channel 1 Chunksize: 10 -> 0\nChannel 2 Enabled: 1 -> 0\n"
         "Channel 2 Remote Baudrate: 9600 -> 19200\n"},
        {MIXED, folder.file("missing.smc"), 2, ""},
    };
    for (const auto& [a, b, status, out] : cases) {
        const ToolResult r = run({"diff", a, b});
        EXPECT_EQ(r.status, status) << b;
        EXPECT_EQ(plainText(r.out), out) << b;
        EXPECT_EQ(r.err.empty(), status != 2) << r.err;
    }
}

TEST_F(TivractlTest, FilesThatCannotBeReadAreNamed) {
    const std::string missing = folder.file("missing.smc");
    for (const std::string command : {"check", "format", "show"}) {
        for (const auto& [path, reason] :
             {std::pair{missing, "No such file or directory"}, {folder.path(), "Is a directory"}}) {
            const ToolResult r = run({command, path});
            EXPECT_EQ(r.status, 2);
            expectErrorLine(r.err, "tivractl " + command + ": cannot open " + path + ": ", reason);
            EXPECT_EQ(r.out, "");
        }
    }
    EXPECT_EQ(folder.names(), std::vector<std::string>{});
}

TEST_F(TivractlTest, FormatWritesWhatSaveWrites) {
    // A file in the saved layout formats to itself.
    ToolResult r = run({"format", MIXED});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, readBytes(MIXED));
    ASSERT_FALSE(r.out.empty());

    // Any other file becomes exactly what the window saves after opening it.
    const std::string expected = savedByTheWindow(HAND);
    r = run({"format", HAND});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, expected);
    EXPECT_NE(r.out.find("\r\nLocal Baudrate = 102400\r\n"), std::string::npos);

    const std::string out = folder.file("out.smc");
    r = run({"format", HAND, "-o", out});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(readBytes(out), expected);

    // In place, and with the other spellings of the option.
    const std::string copy = file("copy.smc", readBytes(HAND));
    EXPECT_EQ(run({"format", "--output=" + copy, copy}).status, 0);
    EXPECT_EQ(readBytes(copy), expected);
    EXPECT_EQ(run({"format", "-o" + copy, "--", copy}).status, 0);
    EXPECT_EQ(readBytes(copy), expected);
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"copy.smc", "out.smc", "window-save.smc"}));
}

TEST_F(TivractlTest, FormatThatFailsWritesNothing) {
    const std::string out = file("out.smc", "earlier\n");
    ToolResult r = run({"format", CONFLICT, "-o", out});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, CONFLICT_BOX);
    EXPECT_EQ(readBytes(out), "earlier\n");
    EXPECT_EQ(run({"format", CONFLICT}).out, "");

    // A place that cannot be written says why.
    const std::string intoAFile = out + "/out.smc";
    r = run({"format", MIXED, "-o", intoAFile});
    EXPECT_EQ(r.status, 2);
    expectErrorLine(r.err, "tivractl format: cannot save " + intoAFile + ": ",
                    "Not a directory (while creating a file beside it)");
    const std::string aFolder = folder.file("target.smc");
    std::filesystem::create_directory(aFolder);
    r = run({"format", MIXED, "-o", aFolder});
    EXPECT_EQ(r.status, 2);
    expectErrorLine(r.err, "tivractl format: cannot save " + aFolder + ": ",
                    "Is a directory (while putting it in place)");
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"out.smc", "target.smc"}));
    EXPECT_EQ(readBytes(out), "earlier\n");
}

TEST_F(TivractlTest, ShowPrintsTheChannelsByTheirTexts) {
    ToolResult r = run({"show", MIXED});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(
        plainText(r.out),
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
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(plainText(r.out).find(
                  "\n2        yes      ?(7)      -      57600     ?(2)  ?(8)    -5        232   0"
                  "         -25536\n"),
              std::string::npos)
        << r.out;
    // As JSON: the record's names in file order, the numbers as the file stores them.
    r = run({"show", folder.file("odd.smc"), "--json"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(
        nlohmann::ordered_json::parse(r.out)["channels"][1],
        nlohmann::ordered_json::parse(
            R"({"channel": 2, "enabled": -3, "sensorType": 7, "localPort": -1,)"
            R"( "localBaudrate": 57600, "localMode": 2, "remotePort": 8, "remoteBaudrate": -5,)"
            R"( "remoteMode": 0, "priority": 0, "chunksize": -25536})"));
}

TEST_F(TivractlTest, ShowJsonHoldsWhatTheTableShows) {
    for (const std::string& path : {MIXED, HAND, CONFLICT}) {
        const auto json = nlohmann::json::parse(run({"show", path, "--json"}).out);
        std::istringstream table(plainText(run({"show", path}).out));
        std::string row;
        std::getline(table, row);  // the header
        ASSERT_EQ(json["channels"].size(), 8u);
        for (const auto& c : json["channels"]) {
            auto entry = [&](const auto& list, const char* field) {
                return std::string(list.at(c[field].get<size_t>()));
            };
            const std::vector<std::string> cells = {c["channel"].dump(),
                                                    c["enabled"] != 0 ? "yes" : "no",
                                                    entry(SENSOR_TYPES, "sensorType"),
                                                    entry(PORT_NAMES, "localPort"),
                                                    c["localBaudrate"].dump(),
                                                    entry(MODES, "localMode"),
                                                    entry(PORT_NAMES, "remotePort"),
                                                    c["remoteBaudrate"].dump(),
                                                    entry(MODES, "remoteMode"),
                                                    c["priority"].dump(),
                                                    c["chunksize"].dump()};
            // The table's cells stand apart by two blanks or more.
            std::getline(table, row);
            const std::regex gap(" {2,}");
            EXPECT_EQ(std::vector<std::string>(
                          std::sregex_token_iterator(row.begin(), row.end(), gap, -1), {}),
                      cells)
                << path;
        }
    }
}

}  // namespace
}  // namespace tivra::test
