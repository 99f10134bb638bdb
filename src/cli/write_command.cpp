// tivractl write FILE [--verify]: Open of FILE, then the Write Configuration button, and with
// --verify the Read Configuration button to compare what the boards took.

#include <iostream>

#include "cli/arguments.h"
#include "cli/board_session.h"
#include "cli/cli_texts.h"
#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/configuration_loading.h"
#include "cli/console_operator.h"
#include "cli/json_output.h"
#include "config/config_texts.h"
#include "config/headless_setup.h"
#include "files/configuration_difference.h"
#include "link/board_protocol.h"

namespace tivra::cli {

namespace {

constexpr OptionSpec WRITE_OPTIONS[] = {
    {"verify", 0, false}, {"accept-warnings", 0, false}, JSON_OPTION, BRIDGE_OPTION, TRACE_OPTION};

// After both writes: reads both boards back and prints every field they hold otherwise.
int verify(BoardContext& context, const ConsoleOperator& ui, const std::string& path, bool json) {
    // What was sent: the file as the check completed it.
    const MuxConfiguration written = context.state.configuration;
    // Both boards took the frames; only the look back failed.
    const size_t shownBefore = ui.shown().size();
    if (readConfigurationFromBoards(context) != 0) return STATUS_WRITTEN_NOT_READ;
    const std::vector<FieldDifference> differences =
        differingFields(written, context.state.configuration);
    // Boards whose tables disagree with each other are rebuilt from the LocalBoard's: equal rows
    // then prove nothing, and the read-back's Alert says so.
    bool agree = true;
    for (size_t i = shownBefore; i < ui.shown().size(); ++i)
        agree = agree && ui.shown()[i].text != BOARDS_DISAGREE_TEXT;
    const bool verified = differences.empty() && agree;
    if (json) {
        Json document = jsonDocument();
        addName(document, "file", path);
        document["verified"] = verified;
        document["boardsAgree"] = agree;
        document["differences"] = differencesJson(differences, "wrote", "boardsHold");
        std::cout << jsonText(document);
    } else {
        if (verified) std::cout << VERIFIED << path << '\n';
        if (!agree) std::cout << NOT_VERIFIED_DISAGREE << path << '\n';
        printDifferences(differences, VERIFY_WROTE, VERIFY_BOARDS_HOLD);
    }
    return verified ? STATUS_SUCCESS : STATUS_NOT_VERIFIED;
}

int runWrite(const std::vector<std::string>& arguments) {
    Arguments parsed;
    std::string error;
    if (!parseArguments(arguments, WRITE_OPTIONS, parsed, error))
        return usageError(WRITE_COMMAND, error);
    if (parsed.help) return printHelp(WRITE_COMMAND);
    if (parsed.operands.size() != 1) return usageError(WRITE_COMMAND, std::string(MISSING_FILE));
    if (parsed.has("json") && !parsed.has("verify"))
        return usageError(WRITE_COMMAND, "--json is the result of --verify; give both");
    const std::unique_ptr<UsbBridge> bridge = commandBridge(WRITE_COMMAND, parsed, error);
    if (!bridge) return bridgeError(WRITE_COMMAND, parsed, error);

    // Nothing is sent for a file that is not a configuration, nor for one with warnings unless
    // the engineer says so: a typo'd key would otherwise write its default to the boards.
    ProgramState state;
    HeadlessForm form = blankHeadlessForm();
    ConsoleOperator ui(std::cerr);
    const int loaded = openConfigurationFile(
        WRITE_COMMAND, parsed.operands[0],
        parsed.has("accept-warnings") ? Warnings::Print : Warnings::Refuse, state, form, ui);
    if (loaded != STATUS_SUCCESS) return loaded;
    SleepingPause pause;
    BoardContext context{state, form, ui, *bridge, pause};
    int status = writeConfigurationToBoards(context) == 0 ? STATUS_SUCCESS : STATUS_PROBLEM;
    if (status == STATUS_SUCCESS && parsed.has("verify"))
        status = verify(context, ui, parsed.operands[0], parsed.has("json"));
    closeBoardLink(*bridge, state.link);
    return status;
}

}  // namespace

extern const Command WRITE_COMMAND = {"write", WRITE_SUMMARY, WRITE_HELP, runWrite};

}  // namespace tivra::cli
