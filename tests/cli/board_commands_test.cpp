// The board commands of tivractl as people run them, on POSIX through the real serial code on a
// pseudo-terminal: against `tivractl simulate`, or against the simulator served from the test
// where the boards must misbehave. (Against the built-in simulated pair: boards.t.)

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "files/configuration_document.h"
#include "support/configuration_views.h"
#include "support/recording_operator.h"
#include "tool_run.h"

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <thread>
#include <utility>

#include "link/link_bench.h"
#include "link/pty_boards.h"
#endif

namespace tivra::test {
namespace {

const std::string MIXED = sourcePath("examples/mixed-sensors.smc");
const std::string WRITTEN = LOCAL_WRITTEN + '\n' + REMOTE_WRITTEN + '\n';
const std::string READ = LOCAL_READ + '\n' + REMOTE_READ + '\n';

#ifndef _WIN32
// `tivractl simulate OPTIONS` in the background: the shell says its process id and becomes the
// simulator, whose first line of output names the device; its standard error, the log of
// requests, goes to a file.
struct Simulator {
    explicit Simulator(const std::string& options = "") {
        const std::string command = "echo $$; exec " + shellQuoted(TIVRACTL_PATH) + " simulate " +
                                    options + " 2>" + shellQuoted(log);
        out = popen(command.c_str(), "r");
        char pid[32] = {}, line[256] = {};
        if (out && std::fgets(pid, sizeof pid, out) && std::fgets(line, sizeof line, out)) {
            id = std::atoi(pid);
            device.assign(line, std::strcspn(line, "\n"));
        }
        EXPECT_TRUE(device.starts_with("/dev/")) << device;
        bridge = "serial:" + device;
    }
    ~Simulator() {
        if (id > 0) kill(id, SIGTERM);
        if (out != nullptr) pclose(out);
    }
    // How often the simulator has gone to sleep and woken since it started.
    std::string wakeUps() const {
        const std::string status = readBytes("/proc/" + std::to_string(id) + "/status");
        const size_t at = status.find("\nvoluntary_ctxt_switches:");
        return status.substr(at, status.find('\n', at + 1) - at);
    }

    TempFolder folder;
    const std::string log = folder.file("log");
    FILE* out = nullptr;
    pid_t id = -1;
    std::string device, bridge;
};

// Through the real serial code: what write --verify and diff --boards find on healthy boards
// and on a RemoteBoard that keeps its own rate on port 3 (the example's channel 4, 9600 bit/s;
// every other field of the example read back as written).
// diff --boards compares what the write sent, so a rate the check rounds is no difference, unless
// asked to compare the file as read.
TEST(BoardCommands, VerifiedWriteAndDiffThroughTheSerialBridge) {
    TempFolder folder;
    // The example with channel 1's local rate one the check rounds (which the reader warns about).
    std::string text = readBytes(MIXED);
    text.replace(text.find("57600"), 5, "100000");
    const std::string rounded = writeBytes(folder.file("rounded.smc"), text);
    // Simulator options, then commands (the bridge added): status, standard output and error.
    const std::string one = "Channel 1 Local Baudrate: ", four = "Channel 4 Remote Baudrate: ";
    const std::string both = WRITTEN + READ;
    const std::string warned = rounded + ":7: warning: " + one +
                               "100000 is not a rate of the form 921600/n; writing sends 102400\n";
    using Runs = std::vector<std::tuple<std::vector<std::string>, int, std::string, std::string>>;
    const std::pair<std::string, Runs> cases[] = {
        {"",
         {{{"write", rounded, "--verify", "--accept-warnings"},
           0,
           "Verified " + rounded + "\n",
           warned + both},
          {{"diff", rounded, "--boards"}, 0, "", warned + READ},
          {{"diff", rounded, "--boards", "--as-read"},
           1,
           one + "100000 -> 102400\n",
           warned + READ}}},
        {"--remote-stores-rate 3:19200",
         {{{"write", MIXED, "--verify"}, 3, four + "wrote 9600, boards hold 19200\n", both},
          {{"diff", MIXED, "--boards"}, 1, four + "9600 -> 19200\n", READ}}},
    };
    for (const auto& [options, runs] : cases) {
        Simulator simulator(options);
        // Every request is logged by name: each command's writes, if any, then its reads.
        std::string log;
        for (auto [arguments, status, out, err] : runs) {
            arguments.insert(arguments.end(), {"--bridge", simulator.bridge});
            const ToolResult r = runTool(folder, arguments);
            EXPECT_EQ(std::tie(r.status, r.out, r.err), std::tie(status, out, err));
            if (arguments[0] == "write")
                log += "request WriteLocal (199 bytes)\nrequest WriteRemote (199 bytes)\n";
            log += "request ReadLocal (5 bytes)\nrequest ReadRemote (5 bytes)\n";
        }
        // The pseudo-terminal is what it is: no USB port, no board of discovery's (it is opened,
        // not talked to).
        EXPECT_EQ(runTool(folder, {"ports", "--bridge", simulator.bridge}).out,
                  simulator.device + "  (not a USB port)\n");
        // With no client writing, the simulator sleeps (once it has seen the last one go).
        usleep(200 * 1000);
        const std::string idle = simulator.wakeUps();
        usleep(300 * 1000);
        EXPECT_EQ(simulator.wakeUps(), idle);
        // One it does not know is logged as such (the line is raw as the server set it up).
        const int line = open(simulator.device.c_str(), O_RDWR | O_NOCTTY);
        ASSERT_EQ(write(line, "\x00\x05\x55\xAA\x04", 5), 5);
        usleep(200 * 1000);
        close(line);
        EXPECT_EQ(readBytes(simulator.log), log + "request unknown command (5 bytes)\n");
    }
}

// Nothing is sent for what is not a configuration, nor for a file with warnings unless the
// engineer says so: the boards, holding the example, still hold it afterwards.
TEST(BoardCommands, NothingIsSentForWhatIsNotAConfiguration) {
    Simulator simulator("--from " + shellQuoted(MIXED));
    TempFolder folder;
    const std::string& bridge = simulator.bridge;
    const auto boards = [&] { return runTool(folder, {"read", "--bridge", bridge}).out; };
    const std::string example = runTool(folder, {"show", MIXED}).out;  // as read prints it
    std::string text = readBytes(MIXED);
    text.replace(text.find("Enabled"), 7, "Enabeld");
    const std::string typo = writeBytes(folder.file("typo.smc"), text);
    // Nothing on standard input is `cat missing.smc | tivractl write -`. (An empty file to the
    // commands that print or compare: show-diff.t, same words.) A misspelt key: refused with the
    // warning, written when accepted.
    const std::string none = ": holds no channel group; not a configuration file\n";
    const std::tuple<std::string, std::optional<std::string>, int, std::string> inputs[] = {
        {"/dev/null", std::nullopt, 2, "tivractl write: /dev/null" + none},
        {"-", std::string(), 2, "tivractl write: standard input" + none},
        {typo, std::nullopt, 1,
         typo + ":3: warning: key missing from this group, read as its default: \"Enabled\" = 0\n" +
             typo +
             ":4: warning: unknown key \"Enabeld\" is not read (did you mean \"Enabled\"?)\n" +
             "tivractl write: " + typo +
             ": 2 warnings; nothing is sent (--accept-warnings sends it anyway)\n"},
    };
    for (const auto& [file, input, status, err] : inputs) {
        const ToolResult r =
            runTool(folder, {"write", file, "--verify", "--bridge", bridge}, input);
        EXPECT_EQ(std::tie(r.status, r.err), std::tie(status, err));
        ASSERT_EQ(boards(), example);
    }
    EXPECT_EQ(runTool(folder, {"write", typo, "--accept-warnings", "--bridge", bridge}).status, 0);
    EXPECT_NE(boards(), example);
}

// Every outcome of a board command told apart, by its status, its lines and its JSON (which
// must parse and say the same status), with boards set up as the link tests' data rows say
// (link_bench.h). A write stops after a LocalBoard that did not take its frame; a RemoteBoard that
// refuses or stays silent leaves the unit partly written (5); boards that take both frames but do
// not answer the read-back are written, not read back (4); boards whose tables disagree are not
// verified (3) and are read with a status of their own (6); Read Configuration followed by Save of
// boards that answer with no items writes nothing.
TEST(BoardCommands, EveryOutcomeOfABoardCommandIsToldApart) {
    TempFolder folder, other;
    // What read prints of boards holding mixedConfiguration(), rebuilt from the LocalBoard's
    // tables.
    writeBytes(other.file("held.smc"), configurationText(mixedConfiguration()));
    const std::string held = runTool(other, {"show", other.file("held.smc")}).out;
    const std::vector<std::string> write = {"write", MIXED}, verify = {"write", MIXED, "--verify"};
    const std::string refused = "USB Fault : Failed to write configuration data\n";
    const std::string partly =
        "tivractl write: partly written: the LocalBoard holds the new "
        "configuration; the RemoteBoard ";
    const std::string disagree =
        "Not verified: the boards' tables disagree with each other (the Alert above) for ";
    const std::string conflict = "Local Port Conflict: Check Local Ports On Channels 1 and 2\n";
    const auto& L = LOCAL_WRITTEN;
    // The arrangement, the command (the bridge added), status, standard output and error (of a
    // write not read back, how it begins), and the boards' outcome in its JSON.
    using Case = std::tuple<std::string, std::vector<std::string>, int, std::string, std::string,
                            std::string>;
    const Case cases[] = {
        {"refuse only 3", write, 1, "", refused,
         R"({"localBoard":"refused","remoteBoard":"not sent"})"},
        {"silent only 3", write, 5, "",
         refused +
             "tivractl write: partly written: the LocalBoard did not confirm the new configuration "
             "and may hold either; the RemoteBoard still holds its earlier one\n",
         R"({"localBoard":"unconfirmed","remoteBoard":"not sent"})"},
        {"refuse only 2", write, 5, "",
         L + "\n" + refused + partly +
             "refused the new configuration and still holds its earlier one\n",
         R"({"localBoard":"written","remoteBoard":"refused"})"},
        {"silent only 2", write, 5, "",
         L + "\n" + refused + partly +
             "did not confirm the new configuration and may hold either\n",
         R"({"localBoard":"written","remoteBoard":"unconfirmed"})"},
        {"silent only 0", verify, 4, "", WRITTEN,
         R"({"localBoard":"written","remoteBoard":"written"})"},
        {"keep 2", verify, 3, disagree + MIXED + "\n", WRITTEN + READ + BOARDS_DISAGREE + '\n',
         R"({"localBoard":"written","remoteBoard":"written"})"},
        {"disagree",
         {"read"},
         6,
         held,
         READ + BOARDS_DISAGREE + '\n',
         R"({"localBoard":"read","remoteBoard":"read"})"},
        {"spoil Empty", {"read", "-o", folder.file("x.smc")}, 1, "", READ + conflict, ""}};
    for (auto [arrangement, arguments, status, out, err, boards] : cases) {
        for (const bool json : {false, true}) {
            PtyBoards pair;
            sim::SimSettings& settings = pair.boards.settings;
            // A write of the RemoteBoard leaves sensor type 2 on all its ports (a board fault, so
            // only where faults apply); boards that disagree hold the example with the
            // RemoteBoard's port 1 on sensor type 2.
            if (arrangement.starts_with("keep")) settings.remoteKeepsSensorType = 2;
            if (arrangement == "disagree") {
                pair.boards.loadConfiguration(mixedConfiguration());
                pair.boards.remoteBoard.ports[0].sensorType = 2;
            }
            arrange(arrangement.starts_with("keep") || arrangement == "disagree" ? "only 2"
                                                                                 : arrangement,
                    settings);
            std::vector<std::string> run = arguments;
            run.insert(run.end(), {"--bridge", "serial:" + pair.start()});
            if (json && run[1] != "-o") run.push_back("--json");
            const ToolResult r = runTool(folder, run);
            EXPECT_EQ(r.status, status) << arrangement << (json ? " --json" : "");
            if (!json) {
                EXPECT_EQ(r.out, out) << arrangement;
                EXPECT_TRUE(status == 4 ? r.err.starts_with(err) : r.err == err) << r.err;
            } else if (!boards.empty()) {
                const auto result = nlohmann::json::parse(r.out);
                EXPECT_EQ(result["status"], status) << r.out;
                EXPECT_EQ(result[run[0] == "read" ? "boardsRead" : "written"],
                          nlohmann::json::parse(boards))
                    << r.out;
            }
        }
    }
    EXPECT_EQ(folder.names(), std::vector<std::string>{});
}

// Through the serial code against `tivractl simulate`: two writers started together on one
// line. One has the line and the boards then hold its file as Save would write it; the other is
// turned away and says why. No writer reports success while the boards hold another file or a mix.
TEST(BoardCommands, TwoWritersAtOnceOnOneLine) {
    Simulator simulator;
    TempFolder folder, other;
    // The hand-edited example as Save writes it: a second whole configuration.
    const std::string hand = folder.file("hand.smc");
    runTool(folder, {"format", sourcePath("examples/hand-edited.smc"), "-o", hand});
    const std::string files[] = {MIXED, hand};
    const std::string held[] = {runTool(folder, {"format", files[0]}).out,
                                runTool(folder, {"format", files[1]}).out};
    const std::string turnedAway = "tivractl write: " + simulator.device +
                                   ": in use by another program\nUSB Fault : Please Check Cables\n";
    for (int round = 0; round < 15; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        ToolResult r[2];
        std::thread together([&] {
            r[0] = runTool(other, {"write", files[0], "--bridge", simulator.bridge});
        });
        r[1] = runTool(folder, {"write", files[1], "--bridge", simulator.bridge});
        together.join();
        const ToolResult read = runTool(folder, {"read", "--bridge", simulator.bridge, "-o", "-"});
        ASSERT_EQ(read.err, READ);
        for (int k = 0; k < 2; ++k) {
            EXPECT_EQ(r[k].err, r[k].status == 0 ? WRITTEN : turnedAway);
            EXPECT_TRUE(r[k].status != 0 || read.out == held[k]) << read.out;
        }
    }
}

#endif

}  // namespace
}  // namespace tivra::test
