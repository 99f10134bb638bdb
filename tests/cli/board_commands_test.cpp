// The board commands of tivractl as people run them: against the built-in simulated pair, and on
// POSIX through the real serial code against `tivractl simulate` on a pseudo-terminal.

#include <gtest/gtest.h>

#include "tool_run.h"

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <thread>
#include <utility>

#include "link/board_command.h"
#include "link/pty_boards.h"
#endif

namespace tivra::test {
namespace {

const std::string MIXED = examplePath("mixed-sensors.smc");
const std::string WRITTEN =
    "Success: Local configuration data written\nSuccess: Remote configuration data written\n";
const std::string READ =
    "Success: Local configuration data read\nSuccess: Remote configuration data read\n";

#ifndef _WIN32
// `tivractl simulate OPTIONS` in the background: the shell says its process id and becomes the
// simulator, whose first line of output names the device; its standard error, the log of
// requests, goes to a file.
class Simulator {
  public:
    explicit Simulator(const std::string& options = "") {
        out_ = popen(("echo $$; exec " + shellQuoted(TIVRACTL_PATH) + " simulate " + options +
                      " 2>" + shellQuoted(logPath_))
                         .c_str(),
                     "r");
        char pid[32] = {}, device[256] = {};
        if (out_ && std::fgets(pid, sizeof pid, out_) && std::fgets(device, sizeof device, out_)) {
            pid_ = std::atoi(pid);
            device_.assign(device, std::strcspn(device, "\n"));
        }
        EXPECT_TRUE(device_.starts_with("/dev/")) << device_;
    }
    ~Simulator() {
        if (pid_ > 0) kill(pid_, SIGTERM);
        if (out_ != nullptr) pclose(out_);
    }
    const std::string& device() const { return device_; }
    std::string bridge() const { return "serial:" + device_; }
    std::string log() const { return readBytes(logPath_); }
    // How often the simulator has gone to sleep and woken since it started.
    std::string wakeUps() const {
        const std::string status = readBytes("/proc/" + std::to_string(pid_) + "/status");
        const size_t at = status.find("\nvoluntary_ctxt_switches:");
        return status.substr(at, status.find('\n', at + 1) - at);
    }

  private:
    TempFolder folder_;
    const std::string logPath_ = folder_.file("log");
    FILE* out_ = nullptr;
    pid_t pid_ = -1;
    std::string device_;
};

// Through the real serial code: what write --verify and diff --boards find on healthy boards
// and on a RemoteBoard that keeps its own rate on port 3 (the example's channel 4, 9600 bit/s).
// diff --boards compares what the write sent, so a rate the check rounds is no difference, unless
// asked to compare the file as read.
TEST(BoardCommands, VerifiedWriteAndDiffThroughTheSerialBridge) {
    struct Case {
        const char* keptRate;  // --remote-stores-rate, or none
        int verifyStatus;
        std::string verified;
        int diffStatus;
        std::string differences;
    };
    const Case cases[] = {
        {nullptr, 0, "Verified " + MIXED + "\n", 0, ""},
        {"3:19200", 3, "Channel 4 Remote Baudrate: wrote 9600, boards hold 19200\n", 1,
         "Channel 4 Remote Baudrate: 9600 -> 19200\n"},
    };
    for (const Case& c : cases) {
        Simulator simulator(c.keptRate ? std::string("--remote-stores-rate ") + c.keptRate : "");
        TempFolder folder;
        const std::string bridge = simulator.bridge();
        ToolResult r = runTool(folder, {"write", MIXED, "--verify", "--bridge", bridge});
        EXPECT_EQ(r.status, c.verifyStatus);
        EXPECT_EQ(r.err, WRITTEN + READ);
        EXPECT_EQ(r.out, c.verified);
        r = runTool(folder, {"diff", MIXED, "--boards", "--bridge", bridge});
        EXPECT_EQ(r.status, c.diffStatus);
        EXPECT_EQ(r.err, READ);
        EXPECT_EQ(r.out, c.differences);
        if (c.keptRate == nullptr) {
            std::string text = readBytes(MIXED);
            text.replace(text.find("Local Baudrate = 57600"), 22, "Local Baudrate = 100000");
            writeBytes(folder.file("rounded.smc"), text);
            const std::string rounded = folder.file("rounded.smc");
            EXPECT_EQ(runTool(folder, {"write", rounded, "--verify", "--bridge", bridge}).status,
                      0);
            EXPECT_EQ(runTool(folder, {"diff", rounded, "--boards", "--bridge", bridge}).status, 0);
            r = runTool(folder, {"diff", rounded, "--boards", "--as-read", "--bridge", bridge});
            EXPECT_EQ(r.status, 1);
            EXPECT_EQ(r.out, "Channel 1 Local Baudrate: 100000 -> 102400\n");
            runTool(folder, {"write", MIXED, "--bridge", bridge});
        }
        // With no client writing, the simulator sleeps (once it has seen the last one go).
        usleep(200 * 1000);
        const std::string idle = simulator.wakeUps();
        usleep(300 * 1000);
        EXPECT_EQ(simulator.wakeUps(), idle);
        // Every request is logged by name, one it does not know as such.
        const int line = open(simulator.device().c_str(), O_RDWR | O_NOCTTY);
        termios raw{};
        ASSERT_EQ(tcgetattr(line, &raw), 0);
        cfmakeraw(&raw);
        ASSERT_EQ(tcsetattr(line, TCSANOW, &raw), 0);
        ASSERT_EQ(write(line, "\x00\x05\x55\xAA\x04", 5), 5);
        usleep(200 * 1000);
        close(line);
        const std::string reads = "request ReadLocal (5 bytes)\nrequest ReadRemote (5 bytes)\n";
        const std::string writes =
            "request WriteLocal (199 bytes)\nrequest WriteRemote (199 bytes)\n";
        EXPECT_EQ(simulator.log(), writes + reads + reads +
                                       (c.keptRate ? "" : writes + reads + reads + reads + writes) +
                                       "request unknown command (5 bytes)\n");
    }
}

// Nothing is sent for what is not a configuration, nor for a file with warnings unless the
// engineer says so: the boards, holding the example, still hold it afterwards.
TEST(BoardCommands, NothingIsSentForWhatIsNotAConfiguration) {
    Simulator simulator("--from " + shellQuoted(MIXED));
    TempFolder folder;
    const std::string bridge = simulator.bridge();
    const std::string example = runTool(folder, {"format", MIXED}).out;
    writeBytes(folder.file("json"), runTool(folder, {"show", "--json", MIXED}).out);
    // (Empty files and JSON to the commands that print or compare: show-diff.t, same words.)
    const std::pair<std::string, std::optional<std::string>> inputs[] = {
        {folder.file("json"), std::nullopt},
        {"-", std::string()},  // cat missing.smc | tivractl write -
    };
    for (const auto& [file, input] : inputs) {
        const ToolResult r =
            runTool(folder, {"write", file, "--verify", "--bridge", bridge}, input);
        EXPECT_EQ(r.status, 2) << file;
        EXPECT_EQ(r.err, "tivractl write: " + (file == "-" ? "standard input" : file) +
                             ": holds no channel group; not a configuration file\n");
        ASSERT_EQ(runTool(folder, {"read", "--bridge", bridge, "-o", "-"}).out, example);
    }
    // A misspelt key: refused with the warning, written when accepted.
    writeBytes(folder.file("typo.smc"), "[Channel 1]\nEnabeld = 1\n");
    ToolResult r = runTool(folder, {"write", folder.file("typo.smc"), "--bridge", bridge});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, folder.file("typo.smc") +
                         ":2: warning: unknown key \"Enabeld\" is not read (did you mean "
                         "\"Enabled\"?)\ntivractl write: " +
                         folder.file("typo.smc") +
                         ": 1 warning; nothing is sent (--accept-warnings sends it anyway)\n");
    ASSERT_EQ(runTool(folder, {"read", "--bridge", bridge, "-o", "-"}).out, example);
    r = runTool(folder,
                {"write", folder.file("typo.smc"), "--accept-warnings", "--bridge", bridge});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(runTool(folder, {"read", "--bridge", bridge, "-o", "-"}).out, example);
}

// Both boards acknowledge the write, then stay silent: written, but not read back (status 4).
// Boards whose tables disagree with each other read back rows equal to the file, rebuilt from the
// LocalBoard's: not verified either (status 3), as the read-back's Alert says.
TEST(BoardCommands, VerifyNeedsBoardsThatAnswerAndAgree) {
    TempFolder folder;
    for (const bool silent : {true, false}) {
        PtyBoards boards;
        boards.boards.settings.answers = !silent;
        boards.boards.settings.faultsOnlyFor =
            static_cast<uint8_t>(silent ? BoardCommand::ReadLocal : BoardCommand::WriteRemote);
        if (!silent) boards.boards.settings.remoteKeepsSensorType = 2;
        const std::string bridge = "serial:" + boards.start();
        const ToolResult r = runTool(folder, {"write", MIXED, "--verify", "--bridge", bridge});
        EXPECT_EQ(r.status, silent ? 4 : 3);
        EXPECT_TRUE(r.err.starts_with(WRITTEN)) << r.err;
        EXPECT_EQ(r.out, silent ? ""
                                : "Not verified: the boards' tables disagree with each other "
                                  "(the Alert above) for " +
                                      MIXED + "\n");
        if (!silent) {
            EXPECT_EQ(r.err,
                      WRITTEN + READ + "Alert: Configuration problem - reconfigure system\n");
        }
    }
}

// Read Configuration followed by Save: boards that answer with no items at all give a
// configuration that Save refuses, so nothing is written.
TEST(BoardCommands, ReadToAFileIsCheckedAsSaveChecks) {
    PtyBoards boards;
    boards.boards.settings.replyFault = sim::ReplyFault::Empty;
    const std::string bridge = "serial:" + boards.start();
    TempFolder folder;
    const ToolResult r = runTool(folder, {"read", "--bridge", bridge, "-o", folder.file("x.smc")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, READ + "Local Port Conflict: Check Local Ports On Channels 1 and 2\n");
    EXPECT_EQ(folder.names(), std::vector<std::string>{});
}

// Through the serial code against `tivractl simulate`: two writers started together on one
// line. One has the line and the boards then hold its file as Save would write it; the other is
// turned away and says why. No writer reports success while the boards hold another file or a mix.
TEST(BoardCommands, TwoWritersAtOnceOnOneLine) {
    Simulator simulator;
    TempFolder folder, other;
    const std::string bridge = simulator.bridge();
    const std::vector<std::string> files = {MIXED, examplePath("hand-edited.smc")};
    const std::string held[] = {runTool(folder, {"format", files[0]}).out,
                                runTool(folder, {"format", files[1]}).out};
    const std::string turnedAway = "tivractl write: " + simulator.device() +
                                   ": in use by another program\nUSB Fault : Please Check Cables\n";
    for (int round = 0; round < 15; ++round) {
        ToolResult r[2];
        std::thread together([&] {
            r[0] = runTool(other, {"write", files[0], "--bridge", bridge});
        });
        r[1] = runTool(folder, {"write", files[1], "--bridge", bridge});
        together.join();
        const ToolResult read =
            runTool(folder, {"read", "--bridge", bridge, "-o", folder.file("r")});
        ASSERT_EQ(read.err, READ);
        const std::string boards = readBytes(folder.file("r"));
        for (int k = 0; k < 2; ++k) {
            SCOPED_TRACE("round " + std::to_string(round));
            EXPECT_EQ(r[k].err, r[k].status == 0 ? WRITTEN : turnedAway + turnedAway);
            if (r[k].status == 0) {
                EXPECT_EQ(boards, held[k]);
            }
        }
    }
}

// A line that hangs up in the middle of a reply fails that read at once instead of polling
// until the read time-out has run out.
TEST(BoardCommands, LineHangingUpMidReplyFailsAtOnce) {
    const int farEnd = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);  // only this test holds it
    ASSERT_TRUE(farEnd >= 0 && grantpt(farEnd) == 0 && unlockpt(farEnd) == 0);
    const std::string device = ptsname(farEnd);
    std::thread board([farEnd] {
        uint8_t request[5];
        for (size_t got = 0; got < sizeof request;) {
            const ssize_t n = ::read(farEnd, request + got, sizeof request - got);
            if (n <= 0) break;
            got += size_t(n);
        }
        const uint8_t part[] = {0x55, 0xAA, 0xC2, 0x00, 0x00, 0x01};
        (void)!::write(farEnd, part, sizeof part);
        usleep(300 * 1000);
        ::close(farEnd);
    });
    TempFolder folder;
    rusage before{}, after{};
    getrusage(RUSAGE_CHILDREN, &before);
    const auto start = std::chrono::steady_clock::now();
    const ToolResult r = runTool(folder, {"read", "--bridge", "serial:" + device});
    const auto wallMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count();
    getrusage(RUSAGE_CHILDREN, &after);
    board.join();
    const auto cpuMs = [](const rusage& u) {
        return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000 +
               (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000;
    };
    EXPECT_EQ(r.status, 1);
    // The LocalBoard's read fails; the line is gone for the RemoteBoard's flush.
    EXPECT_EQ(r.err,
              "USB Fault : Failed to read configuration data\nUSB Fault : Please Check Cables\n");
    EXPECT_LT(wallMs, 2000);  // the read time-out is 4096 ms
    EXPECT_LT(cpuMs(after) - cpuMs(before), 300);
}
#endif

}  // namespace
}  // namespace tivra::test
