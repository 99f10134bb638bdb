// tivractl format FILE [-o OUT]: what Save would write after Open of FILE; with --from-json, of
// the configuration that JSON describes (as show --json and read --json print it).

#include <iostream>
#include <optional>

#include "cli/arguments.h"
#include "cli/cli_texts.h"
#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/configuration_loading.h"
#include "cli/console_operator.h"
#include "cli/json_output.h"
#include "config/headless_setup.h"
#include "config/validation.h"
#include "files/configuration_lint.h"
#include "files/file_input.h"

namespace tivra::cli {

namespace {

constexpr OptionSpec FORMAT_OPTIONS[] = {OUTPUT_OPTION, STRICT_OPTION, {"from-json", 0, false}};

// The configuration a JSON file describes, its warnings said; STATUS_UNUSABLE, said, when it
// cannot be read or is not such a description, STATUS_PROBLEM when it has warnings and strict.
int readJson(const std::string& path, bool strict, MuxConfiguration& configuration) {
    std::string text;
    std::string reason;
    const bool read = path == STANDARD_STREAM ? readStandardInput(text, reason)
                                              : readWholeFile(path, text, reason);
    const std::string name = path == STANDARD_STREAM ? std::string(STANDARD_INPUT_NAME) : path;
    if (!read) {
        printError(FORMAT_COMMAND, "cannot read " + name + ": " + reason);
        return STATUS_UNUSABLE;
    }
    if (!configurationFromJson(text, configuration, reason)) {
        printError(FORMAT_COMMAND, name + ": " + reason);
        return STATUS_UNUSABLE;
    }
    // As for a file: every value that writing would send otherwise is warned about.
    size_t warnings = 0;
    if (const std::optional<MuxConfiguration> sent = configurationAsSent(configuration)) {
        for (const ReplacedValue& r : replacedValues(configuration, *sent)) {
            std::cerr << path << ": warning: " << fieldName(r.channel, r.key.text) << ": "
                      << replacementReason(r) << '\n';
            ++warnings;
        }
    }
    if (warnings == 0 || !strict) return STATUS_SUCCESS;
    printError(FORMAT_COMMAND, path + warningsRefused(false, warnings));
    return STATUS_PROBLEM;
}

int runFormat(const std::vector<std::string>& arguments) {
    Arguments parsed;
    std::string error;
    if (!parseArguments(arguments, FORMAT_OPTIONS, parsed, error))
        return usageError(FORMAT_COMMAND, error);
    if (parsed.help) return printHelp(FORMAT_COMMAND);
    if (parsed.operands.size() != 1) return usageError(FORMAT_COMMAND, std::string(MISSING_FILE));
    std::string out;
    int status = STATUS_SUCCESS;
    if (!outputOption(FORMAT_COMMAND, parsed, out, status)) return status;

    ProgramState state;
    ConsoleOperator ui(std::cerr);
    if (parsed.has("from-json")) {
        status = readJson(parsed.operands[0], parsed.has("strict"), state.configuration);
    } else {
        HeadlessForm form = blankHeadlessForm();
        status = openConfigurationFile(FORMAT_COMMAND, parsed.operands[0],
                                       parsed.has("strict") ? Warnings::Refuse : Warnings::Print,
                                       state, form, ui);
    }
    if (status != STATUS_SUCCESS) return status;
    // The same document Save builds, from the checked and completed record.
    return saveAsSaveWould(FORMAT_COMMAND, state, ui, out);
}

}  // namespace

extern const Command FORMAT_COMMAND = {"format", reference::FORMAT_SUMMARY, reference::FORMAT_HELP,
                                       runFormat, FORMAT_OPTIONS};

}  // namespace tivra::cli
