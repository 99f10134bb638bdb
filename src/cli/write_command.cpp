// tivractl write FILE [--verify]: Open of FILE, then the Write Configuration button, and with
// --verify the Read Configuration button to compare what the boards took.

#include <iostream>

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
#include "cli/terminal_text.h"
#include "config/headless_setup.h"
#include "files/configuration_difference.h"
#include "link/board_protocol.h"

namespace tivra::cli {

namespace {

constexpr OptionSpec WRITE_OPTIONS[] = {
    {"verify", 0, false}, {"accept-warnings", 0, false}, JSON_OPTION, BRIDGE_OPTION, TRACE_OPTION};

// After both writes: reads both boards back and tells every field they hold otherwise.
int verify(BoardContext& context, const std::string& path, Json& result, bool json) {
    // What was sent: the file as the check completed it.
    const MuxConfiguration written = context.state.configuration;
    const BoardsRead read = readBothBoards(context);
    result["verified"] = false;
    result["readBack"] = boardsReadJson(read);
    // Both boards took the frames; only the look back failed.
    if (!read.bothRead()) return STATUS_WRITTEN_NOT_READ;
    const std::vector<FieldDifference> differences =
        differingFields(written, context.state.configuration);
    // Boards whose tables disagree with each other are rebuilt from the LocalBoard's: equal rows
    // then prove nothing.
    const bool verified = differences.empty() && read.boardsAgree;
    result["verified"] = verified;
    result["boardsAgree"] = read.boardsAgree;
    result["differences"] = differencesJson(differences, "wrote", "boardsHold");
    if (!json) {
        if (verified) std::cout << VERIFIED << path << '\n';
        if (!read.boardsAgree) std::cout << NOT_VERIFIED_DISAGREE << path << '\n';
        printDifferences(differences, VERIFY_WROTE, VERIFY_BOARDS_HOLD);
    }
    return verified ? STATUS_SUCCESS : STATUS_NOT_VERIFIED;
}

// Both writes, the RemoteBoard's only after the LocalBoard took its own: a RemoteBoard ahead of
// its LocalBoard would be a unit that no longer agrees with itself for nothing. A signal waits
// until they are done; a second one ends tivractl at once, saying where the boards stand.
BoardsWritten writeBothBoards(BoardContext& context, Interruption& interruption) {
    BoardsWritten written;
    const auto onSecondSignal = [&] {
        BoardsWritten unsure = written;
        (unsure.local == WriteOutcome::Written ? unsure.remote : unsure.local) =
            WriteOutcome::Unconfirmed;
        interruption.onSecondSignal(
            terminalSafe(std::string(TOOL_NAME) + ' ' + std::string(WRITE_COMMAND.name) + ": " +
                         partlyWrittenText(unsure)),
            STATUS_PARTLY_WRITTEN);
    };
    onSecondSignal();
    written.local = writeBoard(context, BoardCommand::WriteLocal);
    if (written.local != WriteOutcome::Written) return written;
    onSecondSignal();
    written.remote = writeBoard(context, BoardCommand::WriteRemote);
    return written;
}

int runWrite(const std::vector<std::string>& arguments) {
    Arguments parsed;
    std::string error;
    if (!parseArguments(arguments, WRITE_OPTIONS, parsed, error))
        return usageError(WRITE_COMMAND, error);
    if (parsed.help) return printHelp(WRITE_COMMAND);
    if (parsed.operands.size() != 1) return usageError(WRITE_COMMAND, std::string(MISSING_FILE));
    const std::string& path = parsed.operands[0];
    const bool json = parsed.has("json");

    ProgramState state;
    HeadlessForm form = blankHeadlessForm();
    ConsoleOperator ui(std::cerr);
    Json result = jsonDocument();
    addName(result, "file", path);
    BoardsWritten written;
    // Every outcome ends here, with its JSON result when asked for.
    const auto finish = [&](int status) {
        if (!json) return status;
        result["status"] = status;
        result["written"] = writtenJson(written);
        result["messages"] = messagesJson(ui);
        printJson(result);
        return status;
    };

    const std::unique_ptr<UsbBridge> bridge = commandBridge(WRITE_COMMAND, parsed, error);
    if (!bridge) return finish(bridgeError(WRITE_COMMAND, parsed, error));
    // Nothing is sent for a file that is not a configuration, nor for one with warnings unless
    // the engineer says so: a typo'd key would otherwise write its default to the boards.
    const int loaded = openConfigurationFile(
        WRITE_COMMAND, path, parsed.has("accept-warnings") ? Warnings::Print : Warnings::Refuse,
        state, form, ui);
    if (loaded != STATUS_SUCCESS) return finish(loaded);

    SleepingPause pause;
    BoardContext context{state, form, ui, *bridge, pause};
    Interruption interruption;
    written = writeBothBoards(context, interruption);
    int status = writeStatus(written);
    if (status == STATUS_PARTLY_WRITTEN) printError(WRITE_COMMAND, partlyWrittenText(written));
    if (const int signal = interruption.signal(); signal != 0) {
        // Asked to stop: the write is done, the look back is not wanted.
        result["signal"] = signalName(signal);
        std::string said = std::string(INTERRUPTED) + signalName(signal);
        if (status == STATUS_SUCCESS)
            said += std::string(INTERRUPTED_WRITTEN) +
                    std::string(parsed.has("verify") ? NOT_VERIFIED : "");
        printError(WRITE_COMMAND, said);
        status = STATUS_SIGNAL_BASE + signal;
    } else if (status == STATUS_SUCCESS && parsed.has("verify")) {
        interruption.onSecondSignal(std::string(TOOL_NAME) + ' ' + std::string(WRITE_COMMAND.name) +
                                        ": " + std::string(INTERRUPTED_VERIFYING),
                                    STATUS_WRITTEN_NOT_READ);
        status = verify(context, path, result, json);
        if (const int signal = interruption.signal(); signal != 0) {
            result["signal"] = signalName(signal);
            status = STATUS_SIGNAL_BASE + signal;
        }
    }
    closeBoardLink(*bridge, state.link);
    return finish(status);
}

}  // namespace

extern const Command WRITE_COMMAND = {"write", reference::WRITE_SUMMARY, reference::WRITE_HELP,
                                      runWrite, WRITE_OPTIONS};

}  // namespace tivra::cli
