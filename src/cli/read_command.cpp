// tivractl read [-o FILE | --json]: the Read Configuration button on the command line.

#include <iostream>

#include "cli/arguments.h"
#include "cli/board_report.h"
#include "cli/board_session.h"
#include "cli/channel_table.h"
#include "cli/cli_texts.h"
#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/console_operator.h"
#include "cli/interruption.h"
#include "cli/json_output.h"
#include "config/headless_setup.h"
#include "link/board_protocol.h"

namespace tivra::cli {

namespace {

constexpr OptionSpec READ_OPTIONS[] = {OUTPUT_OPTION, JSON_OPTION, BRIDGE_OPTION, TRACE_OPTION};

int runRead(const std::vector<std::string>& arguments) {
    Arguments parsed;
    std::string error;
    if (!parseArguments(arguments, READ_OPTIONS, parsed, error))
        return usageError(READ_COMMAND, error);
    if (parsed.help) return printHelp(READ_COMMAND);
    if (!parsed.operands.empty()) return usageError(READ_COMMAND, "no FILE expected; use -o FILE");
    std::string out;
    int status = STATUS_SUCCESS;
    if (!outputOption(READ_COMMAND, parsed, out, status)) return status;
    if (parsed.has("output") && parsed.has("json"))
        return usageError(READ_COMMAND, std::string(JSON_OR_OUTPUT));
    const bool json = parsed.has("json");

    ProgramState state;
    HeadlessForm form = blankHeadlessForm();
    ConsoleOperator ui(std::cerr);
    // What --json prints for every outcome: the configuration as show --json prints it (so that
    // format --from-json takes it) when both boards answered, and how the reading went.
    Json result = jsonDocument();
    BoardsRead read;
    const auto finish = [&](int status) {
        if (!json) return status;
        if (read.bothRead())
            result["channels"] = configurationJson(state.configuration)["channels"];
        result["boardsRead"] = boardsReadJson(read);
        result["boardsAgree"] = read.bothRead() && read.boardsAgree;
        result["status"] = status;
        result["messages"] = messagesJson(ui);
        result["reasons"] = bridgeReasons();
        printJson(result);
        return status;
    };

    const std::unique_ptr<UsbBridge> bridge = commandBridge(READ_COMMAND, parsed, error);
    if (!bridge) return finish(bridgeError(READ_COMMAND, parsed, error));
    SleepingPause pause;
    BoardContext context{state, form, ui, *bridge, pause};
    Json farewell = result;
    farewell["boardsRead"] = boardsReadJson({});
    Interruption interruption(Interruption::FirstSignal::Ends);
    interruption.onEnd(std::string(TOOL_NAME) + " read: " + std::string(INTERRUPTED) + "{signal}" +
                           std::string(INTERRUPTED_READING),
                       -1, json ? farewellJson(farewell) : "");
    read = readBothBoards(context);
    closeBoardLink(*bridge, state.link);
    // A failed read leaves tables that no board sent: nothing worth printing or saving.
    if (!read.bothRead()) return finish(STATUS_PROBLEM);
    // Boards that disagree with each other were rebuilt from the LocalBoard's tables: what is
    // printed or saved is not the whole truth, and the status says so.
    const int agreement = read.boardsAgree ? STATUS_SUCCESS : STATUS_BOARDS_DISAGREE;
    if (json) return finish(agreement);
    if (!parsed.has("output")) {
        std::cout << channelTable(state.configuration);
        return agreement;
    }
    // Read Configuration followed by Save: the rebuilt configuration is checked as Save checks
    // it, so that no file is written that the window would refuse to save.
    status = saveAsSaveWould(READ_COMMAND, state, ui, out);
    return status == STATUS_SUCCESS ? agreement : status;
}

}  // namespace

extern const Command READ_COMMAND = {"read", reference::READ_SUMMARY, reference::READ_HELP, runRead,
                                     READ_OPTIONS};

}  // namespace tivra::cli
