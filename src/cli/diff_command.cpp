// tivractl diff A B | diff FILE --boards: where two configurations differ, field by field.

#include <iostream>
#include <memory>

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

constexpr OptionSpec DIFF_OPTIONS[] = {{"boards", 0, false}, BRIDGE_OPTION, TRACE_OPTION};

// What the boards hold, rebuilt as Read Configuration rebuilds it; false when a read failed.
bool readBoards(UsbBridge& bridge, MuxConfiguration& held) {
    ProgramState state;
    HeadlessForm form = blankHeadlessForm();
    ConsoleOperator ui(std::cerr);
    SleepingPause pause;
    BoardContext context{state, form, ui, bridge, pause};
    const int32_t result = readConfigurationFromBoards(context);
    closeBoardLink(bridge, state.link);
    held = state.configuration;
    return result == 0;
}

int runDiff(const std::vector<std::string>& arguments) {
    Arguments parsed;
    std::string error;
    if (!parseArguments(arguments, DIFF_OPTIONS, parsed, error))
        return usageError(DIFF_COMMAND, error);
    if (parsed.help) return printHelp(DIFF_COMMAND);
    const bool boards = parsed.has("boards");
    if (parsed.operands.size() != (boards ? 1u : 2u))
        return usageError(DIFF_COMMAND, std::string(boards ? MISSING_FILE : DIFF_FILES_NEEDED));
    if (!boards && (parsed.has("bridge") || parsed.has("trace")))
        return usageError(DIFF_COMMAND, std::string(BOARD_OPTIONS_NEED_BOARDS));
    std::unique_ptr<UsbBridge> bridge;
    if (boards && !(bridge = commandBridge(parsed, error))) return usageError(DIFF_COMMAND, error);

    MuxConfiguration compared[2];
    for (size_t i = 0; i < parsed.operands.size(); ++i) {
        ProgramState state;
        HeadlessForm form = blankHeadlessForm();
        ConsoleOperator ui(std::cerr);
        if (!loadConfigurationFile(parsed.operands[i], state, form, ui, error)) {
            printError(DIFF_COMMAND, error);
            return STATUS_UNUSABLE;
        }
        compared[i] = state.configuration;
    }
    if (bridge && !readBoards(*bridge, compared[1])) return STATUS_UNUSABLE;

    const std::vector<FieldDifference> differences = differingFields(compared[0], compared[1]);
    printDifferences(differences, "", DIFF_ARROW);
    return differences.empty() ? STATUS_SUCCESS : STATUS_PROBLEM;
}

}  // namespace

extern const Command DIFF_COMMAND = {"diff", DIFF_SUMMARY, DIFF_HELP, runDiff};

}  // namespace tivra::cli
