// tivractl write FILE [--verify]: Open of FILE, then the Write Configuration button, and with
// --verify the Read Configuration button to compare what the boards took.

#include <iostream>

#include "cli/arguments.h"
#include "cli/board_session.h"
#include "cli/cli_texts.h"
#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/configuration_loading.h"
#include "cli/console_operator.h"
#include "config/headless_setup.h"
#include "files/configuration_difference.h"
#include "link/board_protocol.h"

namespace tivra::cli {

namespace {

constexpr OptionSpec WRITE_OPTIONS[] = {{"verify", 0, false}, BRIDGE_OPTION, TRACE_OPTION};

// After both writes: reads both boards back and prints every field they hold otherwise.
int verify(BoardContext& context, const std::string& path) {
    // What was sent: the file as the check completed it.
    const MuxConfiguration written = context.state.configuration;
    if (readConfigurationFromBoards(context) != 0) return STATUS_PROBLEM;
    const std::vector<FieldDifference> differences =
        differingFields(written, context.state.configuration);
    if (differences.empty()) std::cout << VERIFIED << path << '\n';
    printDifferences(differences, VERIFY_WROTE, VERIFY_BOARDS_HOLD);
    return differences.empty() ? STATUS_SUCCESS : STATUS_NOT_VERIFIED;
}

int runWrite(const std::vector<std::string>& arguments) {
    Arguments parsed;
    std::string error;
    if (!parseArguments(arguments, WRITE_OPTIONS, parsed, error))
        return usageError(WRITE_COMMAND, error);
    if (parsed.help) return printHelp(WRITE_COMMAND);
    if (parsed.operands.size() != 1) return usageError(WRITE_COMMAND, std::string(MISSING_FILE));
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
    int status = writeConfigurationToBoards(context) == 0 ? STATUS_SUCCESS : STATUS_PROBLEM;
    if (status == STATUS_SUCCESS && parsed.has("verify"))
        status = verify(context, parsed.operands[0]);
    closeBoardLink(*bridge, state.link);
    return status;
}

}  // namespace

extern const Command WRITE_COMMAND = {"write", WRITE_SUMMARY, WRITE_HELP, runWrite};

}  // namespace tivra::cli
