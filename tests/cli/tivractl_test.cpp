// tivractl as people run it: the real binary on the examples and on malformed files, checking exit
// status, the exact lines on standard error and the exact bytes written.

#include <gtest/gtest.h>

#include <future>
#include <nlohmann/json.hpp>
#include <optional>
#include <regex>
#include <sstream>
#include <thread>
#include <tuple>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

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
    ToolResult run(const std::vector<std::string>& arguments,
                   const std::optional<std::string>& input = std::nullopt,
                   const std::string& outputTo = "") {
        return runTool(folder, arguments, input, outputTo);
    }
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

// Whatever holds the bytes, they are read once to their end, within a size limit and, for
// anything but a regular file, within a time limit: never read as empty, never waited on for ever.
// A file that cannot be read is named with the reason.
TEST_F(TivractlTest, InputOfEveryKindIsReadToItsEndOrRefused) {
    const std::string conflict = readBytes(CONFLICT);
    std::string shortLines;
    while (shortLines.size() < 256 * 1024) shortLines += ";\n";
    const std::string tooLarge = "too large for a configuration file (over 256 KiB)";
    // File, standard input, exit status, then the box (status 1) or the reason (status 2).
    std::vector<std::tuple<std::string, std::optional<std::string>, int, std::string>> cases = {
        {"-", conflict, 1, CONFLICT_BOX},
        {file("at-limit.smc", shortLines), std::nullopt, 0, ""},
        {file("over-limit.smc", shortLines + "\n"), std::nullopt, 2, tooLarge},
        {folder.file("missing.smc"), std::nullopt, 2, "No such file or directory"},
        {folder.path(), std::nullopt, 2, "Is a directory"},
    };
#ifndef _WIN32
    cases.push_back({"/dev/stdin", conflict, 1, CONFLICT_BOX});
    cases.push_back({"/dev/zero", std::nullopt, 2, tooLarge});
    // FIFOs: one that another program writes and closes, one that nobody opens for writing and
    // one whose writer never closes it. The last two wait out the limit side by side.
    const std::string fed = folder.file("fed"), unfed = folder.file("unfed");
    const std::string held = folder.file("held");
    for (const std::string& fifo : {fed, unfed, held}) ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto noWriter = std::async(std::launch::async, [&] { return run({"check", unfed}); });
    const int holder = open(held.c_str(), O_RDWR);  // a writer that never closes
    ASSERT_EQ(write(holder, conflict.data(), 100), 100);
    auto neverClosed = std::async(std::launch::async, [&] { return run({"check", held}); });
    std::thread writer([&] {
        for (int tries = 0; tries < 2000; ++tries) {
            const int fd = open(fed.c_str(), O_WRONLY | O_NONBLOCK);  // once a reader has it
            if (fd >= 0) {
                EXPECT_EQ(write(fd, conflict.data(), conflict.size()), ssize_t(conflict.size()));
                close(fd);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    cases.push_back({fed, std::nullopt, 1, CONFLICT_BOX});
#endif
    for (const auto& [path, input, status, shown] : cases) {
        const ToolResult r = run({"check", path}, input);
        EXPECT_EQ(r.status, status) << path;
        if (status == 2)
            expectErrorLine(r.err, "tivractl check: cannot open " + path + ": ", shown);
        else
            EXPECT_EQ(r.err, shown) << path;
    }
#ifndef _WIN32
    writer.join();
    for (auto* late : {&noWriter, &neverClosed}) {
        const ToolResult r = late->get();
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.err.ends_with(": its data did not end within 5 seconds\n")) << r.err;
    }
    close(holder);
#endif
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
    r = run({"format", "-", "-o", "-"}, readBytes(HAND));
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

#ifndef _WIN32
// A target that is not a regular file is written in place and stays what it is; a link is never
// replaced, and a dangling one creates its file. A replaced file keeps its rights and owner.
TEST_F(TivractlTest, FormatWritesIntoWhatTheTargetIs) {
    const std::string saved = readBytes(MIXED);
    const std::string fifo = folder.file("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    std::filesystem::create_directory(folder.file("real"));
    const std::string old = folder.file("real/old.smc");
    writeBytes(old, "earlier\r\n");
    ASSERT_EQ(chmod(old.c_str(), 0640), 0);
    std::filesystem::create_symlink("real/old.smc", folder.file("current"));
    std::filesystem::create_symlink("real/new.smc", folder.file("dangling"));
    std::filesystem::create_symlink("/proc/self/fd/1", folder.file("stdout"));
    // Exit status and standard output of each target.
    std::vector<std::tuple<std::string, int, std::string>> cases = {
        {fifo, 0, ""},
        {folder.file("current"), 0, ""},
        {folder.file("dangling"), 0, ""},
        {folder.file("stdout"), 0, saved}};
    // As root: stand-ins for /dev/null and /dev/full, and a file of another user.
    const std::string null = folder.file("null"), full = folder.file("full");
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
        ASSERT_EQ(mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
        ASSERT_EQ(chown(old.c_str(), 65534, 65534), 0);
        cases.insert(cases.end(), {{null, 0, ""}, {full, 2, ""}});
    }
    for (const auto& [target, status, out] : cases) {
        const ToolResult r = run({"format", MIXED, "-o", target});
        EXPECT_EQ(r.status, status) << target;
        EXPECT_EQ(r.out, out) << target;
        EXPECT_EQ(r.err, status == 0 ? ""
                                     : "tivractl format: cannot save " + target +
                                           ": No space left on device (while writing)\n");
    }
    std::string fromFifo(saved.size() + 1, '\0');
    EXPECT_EQ(read(reader, fromFifo.data(), fromFifo.size()), ssize_t(saved.size()));
    EXPECT_EQ(fromFifo.substr(0, saved.size()), saved);
    close(reader);
    EXPECT_EQ(readBytes(old), saved);
    EXPECT_EQ(readBytes(folder.file("real/new.smc")), saved);
    struct stat info {};
    ASSERT_EQ(stat(old.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_TRUE(!root || (info.st_uid == 65534 && info.st_gid == 65534));
    for (const std::string& kept : {null, full})
        EXPECT_TRUE(!root || std::filesystem::is_character_file(kept)) << kept;
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    for (const char* link : {"current", "dangling", "stdout"})
        EXPECT_TRUE(std::filesystem::is_symlink(folder.file(link))) << link;
    // No temporary file left anywhere.
    EXPECT_EQ(folder.names().size(), root ? 7u : 5u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.file("real")), {}), 2);
}

// Output that cannot be written is a failure of every command that prints, said once.
TEST_F(TivractlTest, OutputToAFullDeviceFails) {
    const std::vector<std::vector<std::string>> commands = {{"--help"},
                                                            {"show", MIXED},
                                                            {"format", MIXED},
                                                            {"frame", MIXED, "--board", "local"},
                                                            {"read", "--bridge", "sim", "-o", "-"}};
    for (const auto& arguments : commands) {
        const ToolResult r = run(arguments, std::nullopt, "/dev/full");
        const std::string who = arguments[0] == "--help" ? "tivractl" : "tivractl " + arguments[0];
        EXPECT_EQ(r.status, 2) << who;
        EXPECT_TRUE(
            r.err.ends_with(who + ": cannot write to standard output: No space left on device\n"))
            << r.err;
    }
}
#endif

TEST_F(TivractlTest, ShowPrintsTheChannelsByTheirTexts) {
    ToolResult r = run({"show", "-"}, readBytes(MIXED));
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
