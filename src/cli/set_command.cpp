// tivractl set FILE 'Channel N KEY=VALUE'... [-o OUT]: a variant of a configuration file, made and
// checked as Save makes and checks it, without editing any text.

#include <iostream>

#include "cli/arguments.h"
#include "cli/cli_texts.h"
#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/configuration_loading.h"
#include "cli/console_operator.h"
#include "config/headless_setup.h"
#include "config/number_text.h"
#include "config/text_compare.h"
#include "files/configuration_document.h"
#include "files/configuration_lint.h"

namespace tivra::cli {

namespace {

constexpr OptionSpec SET_OPTIONS[] = {OUTPUT_OPTION, STRICT_OPTION};

// Sets the field NAME=VALUE names in the configuration; false, with the reason, when the name is
// no field's (the nearest one offered) or the value is not what a file could store there.
bool assign(const std::string& assignment, MuxConfiguration& configuration, std::string& error) {
    const size_t equals = assignment.find('=');
    if (equals == std::string::npos) {
        error = "'" + assignment + "': " + std::string(SET_ASSIGNMENT_EXPECTED);
        return false;
    }
    const std::string name = assignment.substr(0, equals);
    const std::string value = assignment.substr(equals + 1);
    std::string nearest;
    size_t best = SIZE_MAX;
    bool done = false;
    for (int n = 1; n <= CHANNEL_COUNT && !done; ++n) {
        visitChannelFields(configuration.channel(n), [&](const ChannelKey& key, auto& field) {
            using Field = std::remove_reference_t<decltype(field)>;
            const std::string known = fieldName(n, key.text);
            if (done) return;
            if (!equalIgnoringAsciiCase(name, known)) {
                if (const size_t distance = editDistance(name, known); distance < best) {
                    best = distance;
                    nearest = known;
                }
                return;
            }
            done = true;
            if (const auto warning = valueWarning(key.text, value)) {
                error = "'" + assignment + "': " + *warning;
                return;
            }
            field = lowBitsOfField<Field>(numberValue(value, LeadingSpace::WhiteSpace));
        });
    }
    if (!done) error = "unknown field \"" + name + "\" (did you mean \"" + nearest + "\"?)";
    return error.empty();
}

int runSet(const std::vector<std::string>& arguments) {
    Arguments parsed;
    std::string error;
    if (!parseArguments(arguments, SET_OPTIONS, parsed, error))
        return usageError(SET_COMMAND, error);
    if (parsed.help) return printHelp(SET_COMMAND);
    if (parsed.operands.size() < 2) return usageError(SET_COMMAND, std::string(SET_OPERANDS));
    std::string out;
    int status = STATUS_SUCCESS;
    if (!outputOption(SET_COMMAND, parsed, out, status)) return status;

    ProgramState state;
    HeadlessForm form = blankHeadlessForm();
    ConsoleOperator ui(std::cerr);
    status = openConfigurationFile(SET_COMMAND, parsed.operands[0],
                                   parsed.has("strict") ? Warnings::Refuse : Warnings::Print, state,
                                   form, ui);
    if (status != STATUS_SUCCESS) return status;
    // Every assignment is looked at before anything is written.
    bool refused = false;
    for (size_t i = 1; i < parsed.operands.size(); ++i) {
        if (assign(parsed.operands[i], state.configuration, error)) continue;
        printError(SET_COMMAND, error);
        error.clear();
        refused = true;
    }
    if (refused) return STATUS_UNUSABLE;
    // As if the file had held these values: Open shows them, Save checks and writes them.
    return saveAsSaveWould(SET_COMMAND, state, ui, out);
}

}  // namespace

extern const Command SET_COMMAND = {"set", SET_SUMMARY, SET_HELP, runSet};

}  // namespace tivra::cli
