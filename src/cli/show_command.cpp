// tivractl show FILE [--json]: the channels of a file as a table, or as JSON.

#include <iostream>

#include "cli/arguments.h"
#include "cli/cli_texts.h"
#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/configuration_loading.h"
#include "cli/console_operator.h"
#include "cli/json_output.h"
#include "config/headless_setup.h"

namespace tivra::cli {

namespace {

constexpr OptionSpec SHOW_OPTIONS[] = {JSON_OPTION, STRICT_OPTION};

int runShow(const std::vector<std::string>& arguments) {
    Arguments parsed;
    std::string error;
    if (!parseArguments(arguments, SHOW_OPTIONS, parsed, error))
        return usageError(SHOW_COMMAND, error);
    if (parsed.help) return printHelp(SHOW_COMMAND);
    if (parsed.operands.size() != 1) return usageError(SHOW_COMMAND, std::string(MISSING_FILE));

    ProgramState state;
    HeadlessForm form = blankHeadlessForm();
    ConsoleOperator ui(std::cerr);
    const int status = openConfigurationFile(
        SHOW_COMMAND, parsed.operands[0], parsed.has("strict") ? Warnings::Refuse : Warnings::Print,
        state, form, ui);
    if (status != STATUS_SUCCESS) return status;
    // The record as read, not as the form would show it: values outside the lists stay visible.
    return printConfiguration(state.configuration, parsed.has("json"));
}

}  // namespace

extern const Command SHOW_COMMAND = {"show", reference::SHOW_SUMMARY, reference::SHOW_HELP, runShow,
                                     SHOW_OPTIONS};

}  // namespace tivra::cli
