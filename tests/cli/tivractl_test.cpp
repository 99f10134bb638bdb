// tivractl on what a transcript cannot hold: input of every kind (FIFOs, standard input, files at
// the size limit) and output to every kind of target, checking the exact bytes written.

#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <iomanip>
#include <optional>
#include <sstream>
#include <tuple>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

#include "files/file_test_support.h"
#include "tool_run.h"

namespace tivra::test {
namespace {

const std::string MIXED = sourcePath("examples/mixed-sensors.smc");
const std::string HAND = sourcePath("examples/hand-edited.smc");
const std::string CONFLICT = sourcePath("examples/port-conflict.smc");
const std::string CONFLICT_BOX = "Remote Port Conflict: Check Remote Ports On Channels 5 and 6\n";

class TivractlTest : public ::testing::Test {
  protected:
    ToolResult run(const std::vector<std::string>& arguments,
                   const std::optional<std::string>& input = std::nullopt,
                   const std::string& outputTo = "") {
        return runTool(folder, arguments, input, outputTo);
    }
    TempFolder folder;
};

// Whatever holds the bytes, they are read once to their end, within a size limit and, for
// anything but a regular file, within a time limit: never read as empty, never waited on for ever.
// A file that cannot be read is named with the reason. (A pipe and a missing file: check.t.)
TEST_F(TivractlTest, InputOfEveryKindIsReadToItsEndOrRefused) {
    const std::string conflict = readBytes(CONFLICT);
    // The example, then one long comment up to the limit.
    const std::string atLimit =
        conflict + ";" + std::string(256 * 1024 - conflict.size() - 2, ' ') + "\n";
    const std::string tooLarge = "too large for a configuration file (over 256 KiB)";
    // File, standard input, exit status, then the box (status 1) or the reason (status 2).
    std::vector<std::tuple<std::string, std::optional<std::string>, int, std::string>> cases = {
        {writeBytes(folder.file("at-limit.smc"), atLimit), std::nullopt, 1, CONFLICT_BOX},
        {writeBytes(folder.file("over-limit.smc"), atLimit + "\n"), std::nullopt, 2, tooLarge},
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
    // Another program writes the whole file and closes it once the reader has opened it.
    [[maybe_unused]] const int started = std::system(
        ("timeout 20 cat " + shellQuoted(CONFLICT) + " > " + shellQuoted(fed) + " &").c_str());
    cases.push_back({fed, std::nullopt, 1, CONFLICT_BOX});
#endif
    for (const auto& [path, input, status, shown] : cases) {
        const ToolResult r = run({"check", path}, input);
        EXPECT_EQ(r.status, status) << path;
        const std::string err =
            status == 2 ? "tivractl check: cannot open " + path + ": " + shown + "\n" : shown;
#ifdef _WIN32  // the system's reasons have other words: all but the reason
        EXPECT_EQ(r.err.substr(0, r.err.rfind(": ")), err.substr(0, err.rfind(": "))) << path;
#else
        EXPECT_EQ(r.err, err) << path;
#endif
    }
#ifndef _WIN32
    // Standard input closed altogether.
    const std::string closedErr = folder.file("closed.err");
    const std::string closed =
        shellQuoted(TIVRACTL_PATH) + " check - <&- 2>" + shellQuoted(closedErr);
    EXPECT_EQ(WEXITSTATUS(std::system(closed.c_str())), 2);
    EXPECT_EQ(readBytes(closedErr),
              "tivractl check: cannot read standard input: Bad file descriptor\n");
    for (auto* late : {&noWriter, &neverClosed}) {
        const ToolResult r = late->get();
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.err.ends_with(": its data did not end within 5 seconds\n")) << r.err;
    }
    close(holder);
#endif
}

// JSON to file and back: what show --json prints of a file, format --from-json turns into exactly
// what format makes of the file; a file format refuses (a port conflict, values outside their
// lists) is refused alike.
TEST_F(TivractlTest, ShowJsonFormatsBackToWhatFormatWrites) {
    const std::string odd = writeBytes(folder.file("odd.smc"),
                                       "[Channel 2]\r\nEnabled = 1\r\nSensor Type = -1\r\nLocal "
                                       "Baudrate = 5\r\nPriority = 12\r\nChunksize = 0\r\n");
    for (const std::string& path : {MIXED, HAND, CONFLICT, odd}) {
        const ToolResult direct = run({"format", path});
        const ToolResult back =
            run({"format", "--from-json", "-", "-o", "-"}, run({"show", "--json", path}).out);
        EXPECT_EQ(std::tie(back.out, back.status), std::tie(direct.out, direct.status)) << path;
    }
}

#ifndef _WIN32
// A file name that is not UTF-8 shows as U+FFFD in JSON, and its bytes come beside it.
TEST_F(TivractlTest, JsonKeepsAFileNameThatIsNotUtf8) {
    const std::string path = writeBytes(folder.file("unit\xff.smc"), readBytes(MIXED));
    const ToolResult r = run({"check", "--json", path});
    std::ostringstream hex;
    hex << std::uppercase << std::hex << std::setfill('0');
    for (const unsigned char c : path)
        hex << (hex.tellp() > 0 ? " " : "") << std::setw(2) << int(c);
    const std::string shown = path.substr(0, path.size() - 5) + "\xEF\xBF\xBD.smc";
    const std::string pair = "\"file\": \"" + shown + "\",\n      \"fileBytes\": \"" + hex.str();
    EXPECT_TRUE(r.status == 0 && r.out.find(pair + "\"") != std::string::npos) << r.out;
}
#endif

// A file becomes exactly what the window saves after opening it: the fixed layout (spelt out
// independently in file_test_support.h), every key, rates snapped (100000 to 102400), missing
// keys at their defaults. From standard input, and in place with either spelling of the option.
// (A file in the saved layout formatting to itself, and -o to files, links, FIFOs and devices:
// FormatWritesIntoWhatTheTargetIs, which also finds no temporary file left.)
TEST_F(TivractlTest, FormatWritesWhatSaveWrites) {
    MuxConfiguration hand = defaultConfiguration();
    hand.channel(1).enabled = 1;
    hand.channel(2) = {1, 0, 1, 115200, 0, 1, 115200, 0, 1, 10};
    hand.channel(3) = {1, 3, 7, 102400, 0, 5, 102400, 0, 4, 128};
    hand.channel(6).remotePort = 2;
    hand.channel(8).localPort = 2;
    const std::string expected = expectedFileText(hand);
    const ToolResult r = run({"format", "-", "-o", "-"}, readBytes(HAND));
    EXPECT_EQ(std::pair(r.status, r.out), std::pair(0, expected));
    const std::string copy = writeBytes(folder.file("copy.smc"), readBytes(HAND));
    EXPECT_EQ(run({"format", "--output=" + copy, copy}).status, 0);
    EXPECT_EQ(readBytes(copy), expected);
    EXPECT_EQ(run({"format", "-o" + copy, "--", copy}).status, 0);
    EXPECT_EQ(readBytes(copy), expected);
}

#ifndef _WIN32
// The example, in the saved layout, is written unchanged to every target. A target that is not a
// regular file is written in place and stays what it is; a link is never replaced, and a dangling
// one creates its file. A replaced file keeps its rights and owner.
TEST_F(TivractlTest, FormatWritesIntoWhatTheTargetIs) {
    const std::string saved = readBytes(MIXED);
    const std::string fifo = folder.file("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    std::filesystem::create_directory(folder.file("real"));
    const std::string old = writeBytes(folder.file("real/old.smc"), "earlier\r\n");
    ASSERT_EQ(chmod(old.c_str(), 0640), 0);
    std::filesystem::create_symlink("real/old.smc", folder.file("current"));
    std::filesystem::create_symlink("real/new.smc", folder.file("dangling"));
    std::filesystem::create_symlink("/proc/self/fd/1", folder.file("stdout"));
    // Exit status, standard output and the reason of a failure for each target.
    std::vector<std::tuple<std::string, int, std::string, std::string>> cases = {
        {fifo, 0, "", ""},
        {folder.file("current"), 0, "", ""},
        {folder.file("dangling"), 0, "", ""},
        {folder.file("stdout"), 0, saved, ""}};
    // As root: stand-ins for /dev/null and /dev/full, a device without a driver (major 240 is
    // for local use), and a file of another user.
    const std::string null = folder.file("null"), full = folder.file("full");
    const std::string noDriver = folder.file("no-driver");
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
        ASSERT_EQ(mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
        ASSERT_EQ(mknod(noDriver.c_str(), S_IFCHR | 0666, makedev(240, 0)), 0);
        ASSERT_EQ(chown(old.c_str(), 65534, 65534), 0);
        cases.insert(cases.end(), {{null, 0, "", ""},
                                   {full, 2, "", "No space left on device (while writing)"},
                                   {noDriver, 2, "",
                                    "No such device or address (while opening it for writing)"}});
    }
    for (const auto& [target, status, out, reason] : cases) {
        const ToolResult r = run({"format", MIXED, "-o", target});
        EXPECT_EQ(std::tie(r.status, r.out), std::tie(status, out)) << target;
        EXPECT_EQ(r.err, status == 0
                             ? ""
                             : "tivractl format: cannot save " + target + ": " + reason + "\n");
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
    for (const std::string& kept : {null, full, noDriver})
        EXPECT_TRUE(!root || std::filesystem::is_character_file(kept)) << kept;
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    for (const char* link : {"current", "dangling", "stdout"})
        EXPECT_TRUE(std::filesystem::is_symlink(folder.file(link))) << link;
    // No temporary file left anywhere.
    EXPECT_EQ(folder.names().size(), root ? 8u : 5u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.file("real")), {}), 2);
}

// Output that cannot be written is a failure of every command that prints, said once: the tool's
// own text, a command's text (show), a file's bytes (format) and a server's first line (simulate).
// Output that cannot be written is said, and the status is 2: what the command made is lost. Not
// so for a write, whose status says what the boards took.
TEST_F(TivractlTest, OutputToAFullDeviceFails) {
    const std::vector<std::vector<std::string>> commands = {
        {"--help"},
        {"show", MIXED},
        {"format", MIXED},
        {"simulate"},  // at once, not serving
        {"write", MIXED, "--bridge", "sim", "--json"}};
    for (const auto& arguments : commands) {
        const ToolResult r = run(arguments, std::nullopt, "/dev/full");
        const std::string who = arguments[0] == "--help" ? "tivractl" : "tivractl " + arguments[0];
        EXPECT_EQ(r.status, arguments[0] == "write" ? 0 : 2) << who;
        EXPECT_TRUE(
            r.err.ends_with(who + ": cannot write to standard output: No space left on device\n"))
            << r.err;
    }
}
#endif

}  // namespace
}  // namespace tivra::test
