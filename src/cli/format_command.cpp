// tivractl format FILE [-o OUT]: what Save would write after Open of FILE.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "cli/arguments.h"
#include "cli/cli_texts.h"
#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/configuration_loading.h"
#include "cli/console_operator.h"
#include "config/headless_setup.h"
#include "config/validation.h"
#include "files/configuration_document.h"

namespace tivra::cli {

namespace {

constexpr OptionSpec FORMAT_OPTIONS[] = {{"output", 'o', true}};

// The bytes exactly as given: no CR added before LF on Windows.
bool writeToStandardOutput(const std::string& bytes, std::string& error) {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
        std::fflush(stdout) != 0) {
        error = std::string("cannot write to standard output: ") + std::strerror(errno);
        return false;
    }
    return true;
}

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
    const bool written =
        parsed.has("output")
            ? writeConfigurationFile(parsed.values["output"], state.configuration, error)
            : writeToStandardOutput(configurationText(state.configuration), error);
    if (!written) {
        printError(FORMAT_COMMAND, error);
        return STATUS_UNUSABLE;
    }
    return STATUS_SUCCESS;
}

}  // namespace

extern const Command FORMAT_COMMAND = {"format", FORMAT_SUMMARY, FORMAT_HELP, runFormat};

}  // namespace tivra::cli
