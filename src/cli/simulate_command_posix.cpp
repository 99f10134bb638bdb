// tivractl simulate: the simulated board pair behind a pseudo-terminal, until interrupted. (Not on
// Windows, which has no pseudo-terminals; the built-in simulated pair is there.)

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "cli/arguments.h"
#include "cli/cli_texts.h"
#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/configuration_loading.h"
#include "cli/console_operator.h"
#include "config/headless_setup.h"
#include "link/recording_bridge.h"
#include "sim/board_pair.h"
#include "sim/pty_server.h"

namespace tivra::cli {

namespace {

constexpr OptionSpec SIMULATE_OPTIONS[] = {{"from", 0, true},
                                           {"remote-stores-rate", 0, true, true},
                                           {"answer-after", 0, true},
                                           {"frames", 0, false}};
constexpr int LONGEST_ANSWER_DELAY_MS = 60000;

// "PORT:RATE": PORT 1..8 as the operator counts ports, RATE a positive number of bit/s.
bool parseStoredRate(const std::string& text, sim::StoredRate& kept) {
    int port = 0;
    long long rate = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%d:%lld%c", &port, &rate, &rest) != 2 || port < 1 ||
        port > PORT_COUNT || rate < 1 || rate > INT32_MAX)
        return false;
    kept = {static_cast<uint8_t>(port - 1), static_cast<int32_t>(rate)};
    return true;
}

// Why the boards cannot hold the configuration, one line per channel: each board port holds one
// channel, so every channel needs a port 1 to 8 on each board that no other channel has.
std::vector<std::string> unheldChannels(const MuxConfiguration& configuration) {
    std::vector<std::string> reasons;
    for (const bool local : {true, false}) {
        int holder[PORT_COUNT] = {};
        for (int n = 1; n <= CHANNEL_COUNT; ++n) {
            const ChannelConfig& c = configuration.channel(n);
            const int port = local ? c.localPort : c.remotePort;
            const std::string which = std::string(local ? "local" : "remote");
            const std::string channel = channelGroupName(n) + ": ";
            if (port == -1) {
                reasons.push_back(channel + "no " + which + " port chosen");
            } else if (port < 0 || port >= PORT_COUNT) {
                reasons.push_back(channel + which + " port " + std::to_string(port + 1) +
                                  std::string(NOT_A_BOARD_PORT));
            } else if (holder[port] != 0) {
                reasons.push_back(channel + which + " port " + std::to_string(port + 1) +
                                  " is channel " + std::to_string(holder[port]) + "'s already");
            } else {
                holder[port] = n;
            }
        }
    }
    return reasons;
}

std::atomic<bool> interrupted{false};
sim::PtyBoardServer* serving = nullptr;

void onSignal(int) {
    interrupted.store(true);
    if (serving != nullptr) serving->wake();
}

const char* commandName(uint8_t command) {
    static const char* const NAMES[] = {"ReadLocal", "ReadRemote", "WriteRemote", "WriteLocal"};
    return command < 4 ? NAMES[command] : "unknown command";
}

int runSimulate(const std::vector<std::string>& arguments) {
    Arguments parsed;
    std::string error;
    if (!parseArguments(arguments, SIMULATE_OPTIONS, parsed, error))
        return usageError(SIMULATE_COMMAND, error);
    if (parsed.help) return printHelp(SIMULATE_COMMAND);
    if (!parsed.operands.empty()) return usageError(SIMULATE_COMMAND, "no operands expected");
    sim::BoardPair boards;
    for (const std::string& value : parsed.repeated["remote-stores-rate"]) {
        sim::StoredRate kept;
        if (!parseStoredRate(value, kept))
            return usageError(SIMULATE_COMMAND, std::string(STORED_RATE_EXPECTED));
        for (const sim::StoredRate& earlier : boards.settings.remoteStoresRates)
            if (earlier.port == kept.port)
                return usageError(SIMULATE_COMMAND, "--remote-stores-rate for port " +
                                                        std::to_string(kept.port + 1) + " twice");
        boards.settings.remoteStoresRates.push_back(kept);
    }
    if (parsed.has("answer-after")) {
        const std::string& text = parsed.values["answer-after"];
        if (text.empty() || text.size() > 5 ||
            text.find_first_not_of("0123456789") != std::string::npos ||
            std::stoi(text) > LONGEST_ANSWER_DELAY_MS)
            return usageError(SIMULATE_COMMAND, std::string(ANSWER_DELAY_EXPECTED));
        boards.settings.readyAfterMs = static_cast<uint32_t>(std::stoi(text));
    }
    if (parsed.has("from")) {
        ProgramState state;
        HeadlessForm form = blankHeadlessForm();
        ConsoleOperator ui(std::cerr);
        const std::string& path = parsed.values["from"];
        const int status =
            openConfigurationFile(SIMULATE_COMMAND, path, Warnings::Print, state, form, ui);
        if (status != STATUS_SUCCESS) return status;
        // Loading what the boards cannot hold would drop it silently: they would then hold
        // something other than the file.
        const std::vector<std::string> reasons = unheldChannels(state.configuration);
        for (const std::string& reason : reasons)
            printError(SIMULATE_COMMAND, path + ": " + reason);
        if (!reasons.empty()) return STATUS_UNUSABLE;
        boards.loadConfiguration(state.configuration);
    }

    // A closed standard output would take the pseudo-terminal's descriptor, and the path would
    // be "printed" into it.
    if (::fcntl(STDOUT_FILENO, F_GETFD) == -1) {
        printError(SIMULATE_COMMAND,
                   std::string(CANNOT_WRITE_OUTPUT) + ": " + std::strerror(errno));
        return STATUS_UNUSABLE;
    }
    sim::PtyBoardServer server(boards);
    if (!server.open(error)) {
        printError(SIMULATE_COMMAND, error);
        return STATUS_UNUSABLE;
    }
    server.onRequest = [frames = parsed.has("frames")](const sim::Request& request) {
        std::cerr << "request " << commandName(request.command) << " ("
                  << static_cast<int>(request.length) << " bytes)";
        if (frames) std::cerr << ": " << hexBytes(request.frame.data(), request.frame.size());
        std::cerr << '\n';
    };

    serving = &server;
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    // Nobody can use boards whose path never arrived.
    std::cout << server.devicePath() << '\n';
    if (checkedOutput(STATUS_SUCCESS, &SIMULATE_COMMAND) != STATUS_SUCCESS) {
        serving = nullptr;
        return STATUS_UNUSABLE;
    }
    const bool served = server.serve(interrupted, error);
    serving = nullptr;
    if (served) return STATUS_SUCCESS;
    printError(SIMULATE_COMMAND, error);
    return STATUS_PROBLEM;
}

}  // namespace

extern const Command SIMULATE_COMMAND = {"simulate", reference::SIMULATE_SUMMARY,
                                         reference::SIMULATE_HELP, runSimulate, SIMULATE_OPTIONS};

}  // namespace tivra::cli
