// The exit statuses as documented: the table in tivractl's help (made from the reference,
// help/tivractl.html) holds the statuses tivractl ends with; every command's help names exactly
// the options it takes; a signal in the middle of a write lets the write finish.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>
#include <set>

#include "cli/cli_reference.h"
#include "cli/command.h"
#include "tool_run.h"

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "link/link_bench.h"
#include "link/pty_boards.h"
#endif

namespace tivra::test {
namespace {

const std::string MIXED = sourcePath("examples/mixed-sensors.smc");

TEST(Help, EveryCommandsHelpNamesExactlyTheOptionsItTakes) {
    for (const cli::Command* command : cli::commandTable()) {
        std::set<std::string> taken, named;
        for (const cli::OptionSpec& option : command->options)
            taken.insert("--" + std::string(option.longName));
        const std::string help(command->help);
        const std::regex listed("\n  (?:-[a-zA-Z], )?(--[a-z][a-z-]*)");
        for (std::sregex_iterator i(help.begin(), help.end(), listed), end; i != end; ++i)
            named.insert((*i)[1]);
        EXPECT_EQ(named, taken) << command->name;
    }
}

#ifndef _WIN32
// tivractl in the background with its standard error in a file: signalled at the moments given
// (ms after the start), then waited for.
struct Signalled {
    int status = -1;
    std::string err, out;
};
Signalled runSignalled(const std::vector<std::string>& arguments,
                       const std::vector<std::pair<int, int>>& signals) {
    TempFolder folder;
    const std::string errPath = folder.file("err"), outPath = folder.file("out");
    const pid_t child = fork();
    if (child == 0) {
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(err, STDERR_FILENO);
        dup2(out, STDOUT_FILENO);
        std::vector<char*> argv{const_cast<char*>(TIVRACTL_PATH)};
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(TIVRACTL_PATH, argv.data());
        _exit(127);
    }
    const auto start = std::chrono::steady_clock::now();
    for (const auto& [at, number] : signals) {
        std::this_thread::sleep_until(start + std::chrono::milliseconds(at));
        kill(child, number);
    }
    int raw = 0;
    waitpid(child, &raw, 0);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw), readBytes(errPath),
            readBytes(outPath)};
}

// Boards that answer each request 300 ms late: a write takes well over half a second, so a signal
// 100 ms in comes while the LocalBoard's frame is on the wire. The first signal waits for both
// boards (the status says which signal, the boards hold the file); a second one ends tivractl at
// once, saying where the boards stand, in JSON too. A read ends at the first.
TEST(ExitStatus, ASignalInTheMiddleOfAWriteLetsItFinish) {
    const std::string written = LOCAL_WRITTEN + '\n' + REMOTE_WRITTEN + '\n';
    const std::string tail = "tivractl write: interrupted by ";
    const std::string partly =
        "tivractl write: partly written: the LocalBoard did not confirm the new configuration and "
        "may hold either; the RemoteBoard still holds its earlier one\n";
    using Case = std::tuple<std::vector<std::string>, std::vector<std::pair<int, int>>, int,
                            std::string, bool>;
    const std::vector<std::string> write = {"write", MIXED};
    const Case cases[] = {
        {write,
         {{100, SIGINT}},
         130,
         written + tail + "SIGINT after both boards took the new configuration\n",
         true},
        {write,
         {{100, SIGTERM}},
         143,
         written + tail + "SIGTERM after both boards took the new configuration\n",
         true},
        {{"write", MIXED, "--json"}, {{100, SIGHUP}, {150, SIGINT}}, 5, partly, false},
        {{"read"},
         {{100, SIGINT}},
         130,
         "tivractl read: interrupted by SIGINT; nothing was read\n",
         false},
    };
    for (const auto& [arguments, signals, status, err, remoteWritten] : cases) {
        PtyBoards pair;
        pair.boards.settings.readyAfterMs = 300;
        std::vector<std::string> run = arguments;
        run.insert(run.end(), {"--bridge", "serial:" + pair.start()});
        const Signalled r = runSignalled(run, signals);
        pair.stop();
        EXPECT_EQ(std::tie(r.status, r.err), std::tie(status, err)) << run[0];
        bool remoteSent = false;
        for (size_t i = 0; i < pair.boards.requests.size(); ++i)
            remoteSent = remoteSent || pair.boards.requests[i].command ==
                                           static_cast<uint8_t>(BoardCommand::WriteRemote);
        EXPECT_EQ(remoteSent, remoteWritten);
        if (run.back() != "--json" && run[2] != "--json") continue;
        const auto result = nlohmann::json::parse(r.out);
        EXPECT_EQ(std::tuple(result["status"], result["signal"], result["written"]["localBoard"]),
                  std::tuple(5, "SIGINT", "unconfirmed"))
            << r.out;
    }
}

// The help's table of statuses holds those tivractl ends with: 0 to 6 (the transcripts and
// BoardCommandsTest), 128+N (above) and 141, a reader that went away.
TEST(ExitStatus, TheDocumentedStatusesAreTheOnesItEndsWith) {
    const std::string help(cli::reference::TOOL_HELP);
    const std::string table = help.substr(help.find("Exit status:"));
    std::set<std::string> documented;
    const std::regex row("\n  ([0-9+N]+) ");
    for (std::sregex_iterator i(table.begin(), table.end(), row), end; i != end; ++i)
        documented.insert((*i)[1]);
    EXPECT_EQ(documented,
              (std::set<std::string>{"0", "1", "2", "3", "4", "5", "6", "128+N", "141"}));
    EXPECT_EQ(WEXITSTATUS(std::system(("bash -c '(sleep 0.3; exec " + shellQuoted(TIVRACTL_PATH) +
                                       " show " + MIXED + ") | true; exit ${PIPESTATUS[0]}'")
                                          .c_str())),
              141);
}
#endif

}  // namespace
}  // namespace tivra::test
