// tivractl check FILE... [--strict] [--json]: Open followed by the check of Save, for each file,
// with warnings about the lines that the reader passes over.

#include <algorithm>
#include <iostream>

#include "cli/arguments.h"
#include "cli/cli_texts.h"
#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/configuration_loading.h"
#include "cli/console_operator.h"
#include "cli/json_output.h"
#include "config/headless_setup.h"
#include "config/validation.h"

namespace tivra::cli {

namespace {

constexpr OptionSpec CHECK_OPTIONS[] = {STRICT_OPTION, JSON_OPTION};
constexpr const char* VERDICTS[] = {"valid", "invalid", "unusable"};  // by exit status

// Checks one file; its messages, warnings and errors go to standard error as they come. Returns
// the file's exit status and adds its JSON record to report.
int checkFile(const std::string& path, const Arguments& parsed, bool several, Json& report,
              StandardInputUse& input) {
    ProgramState state;
    HeadlessForm form = blankHeadlessForm();
    ConsoleOperator ui(std::cerr, false, several ? path + ": " : "");
    std::vector<DocumentWarning> warnings;
    std::string error;
    int status = STATUS_UNUSABLE;
    // Any file is checked as the window's Open reads it, one without a channel group too.
    const bool loaded =
        loadConfigurationFile(path, state, form, ui, error, &warnings, false, &input);
    if (!loaded) {
        printError(CHECK_COMMAND, error);
    } else {
        printWarnings(path, warnings);
        const bool valid = validateConfiguration(state, form, ui) == 0;
        status =
            valid && (warnings.empty() || !parsed.has("strict")) ? STATUS_SUCCESS : STATUS_PROBLEM;
    }

    Json record = Json::object();
    addName(record, "file", path);
    record["verdict"] = VERDICTS[status];
    if (!loaded) record["error"] = error;
    record["messages"] = Json::array();
    for (const ConsoleOperator::Shown& box : ui.shown())
        record["messages"].push_back({{"title", box.title}, {"text", box.text}});
    record["warnings"] = Json::array();
    for (const DocumentWarning& warning : warnings)
        record["warnings"].push_back({{"line", warning.line}, {"text", warning.text}});
    report["files"].push_back(std::move(record));
    return status;
}

int runCheck(const std::vector<std::string>& arguments) {
    Arguments parsed;
    std::string error;
    if (!parseArguments(arguments, CHECK_OPTIONS, parsed, error))
        return usageError(CHECK_COMMAND, error);
    if (parsed.help) return printHelp(CHECK_COMMAND);
    if (parsed.operands.empty()) return usageError(CHECK_COMMAND, std::string(MISSING_FILES));

    Json report = jsonDocument();
    report["files"] = Json::array();
    int worst = STATUS_SUCCESS;
    StandardInputUse input;
    for (const std::string& path : parsed.operands)
        worst = std::max(worst, checkFile(path, parsed, parsed.operands.size() > 1, report, input));
    if (parsed.has("json")) {
        printJson(report);
    }
    return worst;
}

}  // namespace

extern const Command CHECK_COMMAND = {"check", reference::CHECK_SUMMARY, reference::CHECK_HELP,
                                      runCheck, CHECK_OPTIONS};

}  // namespace tivra::cli
