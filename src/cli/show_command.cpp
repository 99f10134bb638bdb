// tivractl show FILE: the channels of a file as a table.

#include <iostream>

#include "cli/arguments.h"
#include "cli/channel_table.h"
#include "cli/cli_texts.h"
#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/configuration_loading.h"
#include "cli/console_operator.h"
#include "config/headless_setup.h"

namespace tivra::cli {

namespace {

int runShow(const std::vector<std::string>& arguments) {
    Arguments parsed;
    std::string error;
    if (!parseArguments(arguments, {}, parsed, error)) return usageError(SHOW_COMMAND, error);
    if (parsed.help) return printHelp(SHOW_COMMAND);
    if (parsed.operands.size() != 1) return usageError(SHOW_COMMAND, std::string(MISSING_FILE));

    ProgramState state;
    HeadlessForm form = blankHeadlessForm();
    ConsoleOperator ui(std::cerr);
    if (!loadConfigurationFile(parsed.operands[0], state, form, ui, error)) {
        printError(SHOW_COMMAND, error);
        return STATUS_UNUSABLE;
    }
    // The record as read, not as the form would show it: values outside the lists stay visible.
    std::cout << channelTable(state.configuration);
    return STATUS_SUCCESS;
}

}  // namespace

extern const Command SHOW_COMMAND = {"show", SHOW_SUMMARY, SHOW_HELP, runShow};

}  // namespace tivra::cli
