// tivractl as people run it: the real binary on the examples and on malformed files, checking exit
// status, the exact lines on standard error and the exact bytes written.

#include <gtest/gtest.h>

#include <future>
#include <optional>
#include <thread>
#include <tuple>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

#include "config/headless_setup.h"
#include "files/file_commands.h"
#include "support/recording_operator.h"
#include "tool_run.h"

namespace tivra::test {
namespace {

const std::string MIXED = examplePath("mixed-sensors.smc");
const std::string HAND = examplePath("hand-edited.smc");
const std::string CONFLICT = examplePath("port-conflict.smc");
const std::string CONFLICT_BOX = "Remote Port Conflict: Check Remote Ports On Channels 5 and 6\n";

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

    TempFolder folder;
};

TEST_F(TivractlTest, HelpAndWrongCommandLines) {
    const std::string usage = plainText(run({"--help"}).out);
    for (const char* name : {"\n  check ", "\n  format ", "\n  show "})
        EXPECT_NE(usage.find(name), std::string::npos) << name;
    EXPECT_EQ(plainText(run({"help"}).out), usage);

    // Arguments, exit status, and the first line of the help on standard output (status 0) or of
    // the error on standard error (status 2).
    const std::vector<std::tuple<std::vector<std::string>, int, std::string>> cases = {
        {{"--help"}, 0, "Usage: tivractl COMMAND [ARGUMENTS]"},
        {{"check", "--help"}, 0, "Usage: tivractl check FILE"},
        {{"format", "-h"}, 0, "Usage: tivractl format FILE [-o OUT]"},
        {{"show", "x.smc", "--help"}, 0, "Usage: tivractl show FILE"},
        {{"help", "format"}, 0, "Usage: tivractl format FILE [-o OUT]"},
        {{}, 2, "Usage: tivractl COMMAND [ARGUMENTS]"},
        {{"frobnicate"}, 2, "tivractl: unknown command 'frobnicate'"},
        {{"help", "frobnicate"}, 2, "tivractl: unknown command 'frobnicate'"},
        {{"check"}, 2, "tivractl check: expected one FILE"},
        {{"check", "a.smc", "b.smc"}, 2, "tivractl check: expected one FILE"},
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
    // File, then the box the window would show ("" when valid). Numbers read from files keep their
    // low bits: Enabled = 257 is on, and a chunksize of 65936 is 400.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {MIXED, ""},
        {CONFLICT, CONFLICT_BOX},
        {file("empty.smc", ""), ""},
        {file("chunk.smc", "[Channel 1]\nEnabled = 1\nChunksize = 401\n"),
         "Invalid Chunksize: Check Channel 1 Chunksize (400 maximum)\n"},
        {file("wrap.smc", "[Channel 1]\nEnabled=1\nChunksize=65936\n"), ""},
        {file("sensor.smc", "[Channel 4]\nEnabled = 257\nSensor Type = -1\n"),
         "Invalid Sensor: Check Channel 4 Sensor\n"},
        {file("port.smc", "[Channel 3]\r\nLocal Port = 9\r\n"),
         "Invalid Port: Check Channel 3 Ports\n"},
        {file("local.smc", "[Channel 2]\rLocal Port = 6\r"),
         "Local Port Conflict: Check Local Ports On Channels 2 and 7\n"},
        {file("bytes.smc", "\xEF\xBB\xBF\0\xFF\n[Channel 2\0Enabled=1\nLocal Baudrate=x\n"s),
         "Invalid Baudrate: Check Channel 2 Baudrates\n"},
    };
    for (const auto& [path, box] : cases) {
        const ToolResult r = run({"check", path});
        EXPECT_EQ(r.status, box.empty() ? 0 : 1) << path;
        EXPECT_EQ(r.err, box) << path;
        EXPECT_EQ(r.out, "") << path;
    }
}

// Whatever holds the bytes, they are read once to their end, within a size limit and, for
// anything but a regular file, within a time limit: never read as empty, never waited on for ever.
// A file that cannot be read is named with the reason.
TEST_F(TivractlTest, InputOfEveryKindIsReadToItsEndOrRefused) {
    const std::string conflict = readBytes(CONFLICT);
    std::string shortLines;
    while (shortLines.size() < 256 * 1024) shortLines += "a\n";
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
}

}  // namespace
}  // namespace tivra::test
