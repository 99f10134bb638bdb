// tivractl format FILE [-o OUT]: what Save would write after Open of FILE.

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

constexpr OptionSpec FORMAT_OPTIONS[] = {{"output", 'o', true}};

int runFormat(const std::vector<std::string>& arguments) {
    Arguments parsed;
    std::string error;
    if (!parseArguments(arguments, FORMAT_OPTIONS, parsed, error))
        return usageError(FORMAT_COMMAND, error);
    if (parsed.help) return printHelp(FORMAT_COMMAND);
    if (parsed.operands.size() != 1) return usageError(FORMAT_COMMAND, std::string(MISSING_FILE));
    if (parsed.has("output") && parsed.values["output"].empty())
        return usageError(FORMAT_COMMAND, "option -o needs a file name");

    ProgramState state;
    HeadlessForm form = blankHeadlessForm();
    ConsoleOperator ui(std::cerr);
    if (!loadConfigurationFile(parsed.operands[0], state, form, ui, error)) {
        printError(FORMAT_COMMAND, error);
        return STATUS_UNUSABLE;
    }
    if (validateConfiguration(state, form, ui) != 0) return STATUS_PROBLEM;

    // The same document Save builds, from the checked and completed record.
    const std::string out =
        parsed.has("output") ? parsed.values["output"] : std::string(STANDARD_STREAM);
    if (!writeConfigurationOutput(out, state.configuration, error)) {
        printError(FORMAT_COMMAND, error);
        return STATUS_UNUSABLE;
    }
    return STATUS_SUCCESS;
}

}  // namespace

extern const Command FORMAT_COMMAND = {"format", FORMAT_SUMMARY, FORMAT_HELP, runFormat};

}  // namespace tivra::cli
