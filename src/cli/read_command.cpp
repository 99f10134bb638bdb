// tivractl read [-o FILE | --json]: the Read Configuration button on the command line.

#include <iostream>

#include "cli/arguments.h"
#include "cli/board_session.h"
#include "cli/cli_texts.h"
#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/console_operator.h"
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
    const std::unique_ptr<UsbBridge> bridge = commandBridge(READ_COMMAND, parsed, error);
    if (!bridge) return bridgeError(READ_COMMAND, parsed, error);

    ProgramState state;
    HeadlessForm form = blankHeadlessForm();
    ConsoleOperator ui(std::cerr);
    SleepingPause pause;
    BoardContext context{state, form, ui, *bridge, pause};
    const int32_t result = readConfigurationFromBoards(context);
    closeBoardLink(*bridge, state.link);
    // A failed read leaves tables that no board sent: nothing worth printing or saving.
    if (result != 0) return STATUS_PROBLEM;

    if (!parsed.has("output")) return printConfiguration(state.configuration, parsed.has("json"));
    // Read Configuration followed by Save: the rebuilt configuration is checked as Save checks
    // it, so that no file is written that the window would refuse to save.
    return saveAsSaveWould(READ_COMMAND, state, ui, out);
}

}  // namespace

extern const Command READ_COMMAND = {"read", READ_SUMMARY, READ_HELP, runRead};

}  // namespace tivra::cli
