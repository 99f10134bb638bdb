// tivractl write FILE: Open of FILE, then the Write Configuration button.

#include <iostream>

#include "cli/arguments.h"
#include "cli/board_session.h"
#include "cli/cli_texts.h"
#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/configuration_loading.h"
#include "cli/console_operator.h"
#include "config/headless_setup.h"
#include "link/board_protocol.h"

namespace tivra::cli {

namespace {

constexpr OptionSpec WRITE_OPTIONS[] = {BRIDGE_OPTION, TRACE_OPTION};

int runWrite(const std::vector<std::string>& arguments) {
    Arguments parsed;
    std::string error;
    if (!parseArguments(arguments, WRITE_OPTIONS, parsed, error))
        return usageError(WRITE_COMMAND, error);
    if (parsed.help) return printHelp(WRITE_COMMAND);
    if (parsed.operands.size() != 1) return usageError(WRITE_COMMAND, "expected one FILE");
    const std::unique_ptr<UsbBridge> bridge = commandBridge(parsed, error);
    if (!bridge) return usageError(WRITE_COMMAND, error);

    ProgramState state;
    HeadlessForm form = blankHeadlessForm();
    ConsoleOperator ui(std::cerr);
    if (!loadConfigurationFile(parsed.operands[0], state, form, ui, error)) {
        printError(WRITE_COMMAND, error);
        return STATUS_UNUSABLE;
    }
    SleepingPause pause;
    BoardContext context{state, form, ui, *bridge, pause};
    const int32_t result = writeConfigurationToBoards(context);
    closeBoardLink(*bridge, state.link);
    return result == 0 ? STATUS_SUCCESS : STATUS_PROBLEM;
}

}  // namespace

extern const Command WRITE_COMMAND = {"write", WRITE_SUMMARY, WRITE_HELP, runWrite};

}  // namespace tivra::cli
