// tivractl set FILE 'Channel N KEY=VALUE'... [-o OUT]: a variant of a configuration file, made and
// checked as Save makes and checks it, without editing any text.

#include <iostream>
#include <optional>

#include "cli/arguments.h"
#include "cli/cli_texts.h"
#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/configuration_loading.h"
#include "cli/console_operator.h"
#include "cli/field_assignment.h"
#include "config/headless_setup.h"
#include "config/validation.h"
#include "files/configuration_lint.h"

namespace tivra::cli {

namespace {

constexpr OptionSpec SET_OPTIONS[] = {OUTPUT_OPTION, STRICT_OPTION};

// Every NAME=VALUE understood, each field named once; false after saying what is refused.
bool parseAssignments(const std::vector<std::string>& operands,
                      std::vector<FieldAssignment>& assignments) {
    bool refused = false;
    for (size_t i = 1; i < operands.size(); ++i) {
        FieldAssignment assignment;
        std::string error;
        if (!parseFieldAssignment(operands[i], assignment, error)) {
            printError(SET_COMMAND, error);
            refused = true;
            continue;
        }
        bool again = false;
        for (const FieldAssignment& earlier : assignments)
            again =
                again || (earlier.channel == assignment.channel && earlier.key == assignment.key);
        if (again) {
            printError(SET_COMMAND, "'" + assignment.name + "'" + std::string(SET_GIVEN_TWICE));
            refused = true;
            continue;
        }
        assignments.push_back(std::move(assignment));
    }
    return !refused;
}

// A value the check would not keep (a position outside its list, a rate it snaps, what a
// switched-off channel has completed) would be written as something else: refused, said.
bool everyValueHeld(const std::vector<std::string>& operands,
                    const std::vector<FieldAssignment>& assignments,
                    const MuxConfiguration& configuration) {
    const std::optional<MuxConfiguration> sent = configurationAsSent(configuration);
    if (!sent) return true;  // the check's own message comes when it runs
    const std::vector<ReplacedValue> replaced = replacedValues(configuration, *sent);
    bool held = true;
    for (size_t i = 0; i < assignments.size(); ++i) {
        const FieldAssignment& a = assignments[i];
        for (const ReplacedValue& r : replaced) {
            if (r.channel != a.channel || a.name != fieldName(r.channel, r.key.text)) continue;
            printError(SET_COMMAND, "'" + operands[i + 1] + "'" + std::string(SET_NOT_HELD) +
                                        replacementReason(r));
            held = false;
        }
    }
    return held;
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

    // Every assignment is looked at before the file is read or anything is written.
    std::vector<FieldAssignment> assignments;
    if (!parseAssignments(parsed.operands, assignments)) return STATUS_UNUSABLE;
    ProgramState state;
    HeadlessForm form = blankHeadlessForm();
    ConsoleOperator ui(std::cerr);
    status = openConfigurationFile(SET_COMMAND, parsed.operands[0],
                                   parsed.has("strict") ? Warnings::Refuse : Warnings::Print, state,
                                   form, ui);
    if (status != STATUS_SUCCESS) return status;
    for (const FieldAssignment& assignment : assignments)
        applyFieldAssignment(assignment, state.configuration);
    if (!everyValueHeld(parsed.operands, assignments, state.configuration)) return STATUS_UNUSABLE;
    // As if the file had held these values: Open shows them, Save checks and writes them.
    return saveAsSaveWould(SET_COMMAND, state, ui, out);
}

}  // namespace

extern const Command SET_COMMAND = {"set", reference::SET_SUMMARY, reference::SET_HELP, runSet,
                                    SET_OPTIONS};

}  // namespace tivra::cli
