// tivractl frame FILE --board local|remote: the bytes a board write would send.

#include <iostream>

#include "cli/arguments.h"
#include "cli/cli_texts.h"
#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/configuration_loading.h"
#include "cli/console_operator.h"
#include "config/headless_setup.h"
#include "config/validation.h"
#include "link/recording_bridge.h"
#include "link/wire_format.h"

namespace tivra::cli {

namespace {

constexpr OptionSpec FRAME_OPTIONS[] = {{"board", 0, true}, STRICT_OPTION};

int runFrame(const std::vector<std::string>& arguments) {
    Arguments parsed;
    std::string error;
    if (!parseArguments(arguments, FRAME_OPTIONS, parsed, error))
        return usageError(FRAME_COMMAND, error);
    if (parsed.help) return printHelp(FRAME_COMMAND);
    if (parsed.operands.size() != 1) return usageError(FRAME_COMMAND, std::string(MISSING_FILE));
    const std::string board = parsed.has("board") ? parsed.values["board"] : "";
    if (board != "local" && board != "remote")
        return usageError(FRAME_COMMAND, std::string(BOARD_OPTION_NEEDED));

    ProgramState state;
    HeadlessForm form = blankHeadlessForm();
    ConsoleOperator ui(std::cerr);
    const int status = openConfigurationFile(
        FRAME_COMMAND, parsed.operands[0],
        parsed.has("strict") ? Warnings::Refuse : Warnings::Print, state, form, ui);
    if (status != STATUS_SUCCESS) return status;
    // The write checks first and sends the tables the check has just built.
    if (validateConfiguration(state, form, ui) != 0) return STATUS_PROBLEM;
    const auto frame = encodeBoardFrame(
        board == "local" ? BoardCommand::WriteLocal : BoardCommand::WriteRemote, state);
    std::cout << hexBytes(frame.data(), frame.size()) << '\n';
    return STATUS_SUCCESS;
}

}  // namespace

extern const Command FRAME_COMMAND = {"frame", reference::FRAME_SUMMARY, reference::FRAME_HELP,
                                      runFrame, FRAME_OPTIONS};

}  // namespace tivra::cli
