// tivractl set FILE 'Channel N KEY=VALUE'... [-o OUT]: a variant of a configuration file, made and
// checked as Save makes and checks it, without editing any text.

#include <algorithm>
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
// switched-off channel has completed) would be written as something else: refused, said. So is
// a field the assignments make the check replace, which the file did not have replaced before
// (a switched-off channel made "GP Limit" gets a priority): set it too, or leave it.
bool everyValueHeld(const std::vector<std::string>& operands,
                    const std::vector<FieldAssignment>& assignments, const MuxConfiguration& opened,
                    const MuxConfiguration& configuration) {
    const std::optional<MuxConfiguration> sent = configurationAsSent(configuration);
    if (!sent) return true;  // the check's own message comes when it runs
    const std::optional<MuxConfiguration> sentBefore = configurationAsSent(opened);
    const std::vector<ReplacedValue> before =
        sentBefore ? replacedValues(opened, *sentBefore) : std::vector<ReplacedValue>{};
    const auto named = [&](const ReplacedValue& r) {
        return std::find_if(assignments.begin(), assignments.end(),
                            [&](const auto& a) {
                                return a.channel == r.channel &&
                                       a.name == fieldName(r.channel, r.key.text);
                            }) -
               assignments.begin();
    };
    const std::vector<ReplacedValue> replaced = replacedValues(configuration, *sent);
    bool held = true;
    // The values named, in the order given...
    for (size_t i = 0; i < assignments.size(); ++i) {
        for (const ReplacedValue& r : replaced) {
            if (static_cast<size_t>(named(r)) != i) continue;
            printError(SET_COMMAND, "'" + operands[i + 1] + "'" + std::string(SET_NOT_HELD) +
                                        replacementReason(r));
            held = false;
        }
    }
    // ...then what they would change besides.
    for (const ReplacedValue& r : replaced) {
        const bool already = std::any_of(before.begin(), before.end(), [&](const auto& b) {
            return b.channel == r.channel && b.key.text == r.key.text;
        });
        if (static_cast<size_t>(named(r)) < assignments.size() || already) continue;
        printError(SET_COMMAND, fieldName(r.channel, r.key.text) + std::string(SET_CHANGES_TOO) +
                                    replacementReason(r) + std::string(SET_IT_TOO));
        held = false;
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
    const MuxConfiguration opened = state.configuration;
    for (const FieldAssignment& assignment : assignments)
        applyFieldAssignment(assignment, state.configuration);
    if (!everyValueHeld(parsed.operands, assignments, opened, state.configuration))
        return STATUS_UNUSABLE;
    // As if the file had held these values: Open shows them, Save checks and writes them.
    return saveAsSaveWould(SET_COMMAND, state, ui, out);
}

}  // namespace

extern const Command SET_COMMAND = {"set", reference::SET_SUMMARY, reference::SET_HELP, runSet,
                                    SET_OPTIONS};

}  // namespace tivra::cli
