// tivractl check FILE: Open followed by the check of Save.

#include <iostream>

#include "cli/arguments.h"
#include "cli/cli_texts.h"
#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/configuration_loading.h"
#include "cli/console_operator.h"
#include "config/headless_setup.h"
#include "config/validation.h"

namespace tivra::cli {

namespace {

int runCheck(const std::vector<std::string>& arguments) {
    Arguments parsed;
    std::string error;
    if (!parseArguments(arguments, {}, parsed, error)) return usageError(CHECK_COMMAND, error);
    if (parsed.help) return printHelp(CHECK_COMMAND);
    if (parsed.operands.size() != 1) return usageError(CHECK_COMMAND, std::string(MISSING_FILE));

    ProgramState state;
    HeadlessForm form = blankHeadlessForm();
    ConsoleOperator ui(std::cerr);
    if (!loadConfigurationFile(parsed.operands[0], state, form, ui, error)) {
        printError(CHECK_COMMAND, error);
        return STATUS_UNUSABLE;
    }
    return validateConfiguration(state, form, ui) == 0 ? STATUS_SUCCESS : STATUS_PROBLEM;
}

}  // namespace

extern const Command CHECK_COMMAND = {"check", CHECK_SUMMARY, CHECK_HELP, runCheck};

}  // namespace tivra::cli
