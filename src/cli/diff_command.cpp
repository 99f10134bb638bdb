// tivractl diff A B | diff FILE --boards: where two configurations differ, field by field.

#include <iostream>
#include <memory>

#include "cli/arguments.h"
#include "cli/board_report.h"
#include "cli/board_session.h"
#include "cli/cli_texts.h"
#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/configuration_loading.h"
#include "cli/console_operator.h"
#include "cli/interruption.h"
#include "cli/json_output.h"
#include "config/headless_setup.h"
#include "config/validation.h"
#include "files/configuration_difference.h"
#include "link/board_protocol.h"

namespace tivra::cli {

namespace {

constexpr OptionSpec DIFF_OPTIONS[] = {{"boards", 0, false}, {"as-read", 0, false}, STRICT_OPTION,
                                       JSON_OPTION,          BRIDGE_OPTION,         TRACE_OPTION};

// What the boards hold, rebuilt as Read Configuration rebuilds it, into held.
BoardsRead readBoards(UsbBridge& bridge, ConsoleOperator& ui, MuxConfiguration& held) {
    ProgramState state;
    HeadlessForm form = blankHeadlessForm();
    SleepingPause pause;
    BoardContext context{state, form, ui, bridge, pause};
    const BoardsRead read = readBothBoards(context);
    closeBoardLink(bridge, state.link);
    held = state.configuration;
    return read;
}

int runDiff(const std::vector<std::string>& arguments) {
    Arguments parsed;
    std::string error;
    if (!parseArguments(arguments, DIFF_OPTIONS, parsed, error))
        return usageError(DIFF_COMMAND, error);
    if (parsed.help) return printHelp(DIFF_COMMAND);
    const bool boards = parsed.has("boards");
    if (parsed.operands.size() != (boards ? 1u : 2u))
        return usageError(DIFF_COMMAND, std::string(boards ? MISSING_FILE : DIFF_FILES_NEEDED));
    if (!boards && (parsed.has("bridge") || parsed.has("trace") || parsed.has("as-read")))
        return usageError(DIFF_COMMAND, std::string(BOARD_OPTIONS_NEED_BOARDS));
    const bool json = parsed.has("json");

    ConsoleOperator ui(std::cerr);
    Json result = jsonDocument();
    BoardsRead read;
    // Every outcome ends here, with its JSON result when asked for.
    const auto finish = [&](int status) {
        if (!json) return status;
        if (!result.contains("differences")) result["differences"] = Json::array();
        if (boards) {
            result["boardsRead"] = boardsReadJson(read);
            result["boardsAgree"] = read.bothRead() && read.boardsAgree;
            result["reasons"] = bridgeReasons();
        }
        result["status"] = status;
        result["messages"] = messagesJson(ui);
        printJson(result);
        return status;
    };
    std::unique_ptr<UsbBridge> bridge;
    if (boards && !(bridge = commandBridge(DIFF_COMMAND, parsed, error)))
        return finish(bridgeError(DIFF_COMMAND, parsed, error));

    MuxConfiguration compared[2];
    StandardInputUse input;
    for (size_t i = 0; i < parsed.operands.size(); ++i) {
        ProgramState state;
        HeadlessForm form = blankHeadlessForm();
        const int status = openConfigurationFile(
            DIFF_COMMAND, parsed.operands[i],
            parsed.has("strict") ? Warnings::Refuse : Warnings::Print, state, form, ui, &input);
        if (status != STATUS_SUCCESS) return finish(status);
        // Against the boards: what writing the file would send, as the check completes it.
        if (boards && !parsed.has("as-read") && validateConfiguration(state, form, ui) != 0)
            return finish(STATUS_PROBLEM);
        compared[i] = state.configuration;
    }
    if (bridge) {
        Json farewell = result;
        farewell["boardsRead"] = boardsReadJson({});
        Interruption interruption(Interruption::FirstSignal::Ends);
        interruption.onEnd(std::string(TOOL_NAME) + " diff: " + std::string(INTERRUPTED) +
                               "{signal}" + std::string(INTERRUPTED_READING),
                           -1, json ? farewellJson(farewell) : "");
        read = readBoards(*bridge, ui, compared[1]);
        if (!read.bothRead()) return finish(STATUS_UNUSABLE);
    }

    const std::vector<FieldDifference> differences = differingFields(compared[0], compared[1]);
    if (json)
        result["differences"] =
            differencesJson(differences, boards ? "file" : "first", boards ? "boards" : "second");
    else
        printDifferences(differences, "", DIFF_ARROW);
    // Boards that disagree with each other were rebuilt from the LocalBoard's tables alone.
    if (bridge && !read.boardsAgree) return finish(STATUS_BOARDS_DISAGREE);
    return finish(differences.empty() ? STATUS_SUCCESS : STATUS_PROBLEM);
}

}  // namespace

extern const Command DIFF_COMMAND = {"diff", reference::DIFF_SUMMARY, reference::DIFF_HELP, runDiff,
                                     DIFF_OPTIONS};

}  // namespace tivra::cli
