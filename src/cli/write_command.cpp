// tivractl write FILE [--verify]: Open of FILE, then the Write Configuration button, and with
// --verify the Read Configuration button to compare what the boards took.

#include <functional>
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
#include "files/terminal_text.h"
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
// its LocalBoard would be a unit that no longer agrees with itself for nothing. Before each,
// ready tells what a second signal would leave the boards as (the one being written unsure).
BoardsWritten writeBothBoards(BoardContext& context,
                              const std::function<void(const BoardsWritten&)>& ready) {
    BoardsWritten written;
    ready({WriteOutcome::Unconfirmed, WriteOutcome::NotSent});
    written.local = writeBoard(context, BoardCommand::WriteLocal);
    if (written.local != WriteOutcome::Written) return written;
    ready({WriteOutcome::Written, WriteOutcome::Unconfirmed});
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
    const auto document = [&](int status) {
        Json done = result;
        done["status"] = status;
        done["written"] = writtenJson(written);
        done["messages"] = messagesJson(ui);
        done["reasons"] = bridgeReasons();
        return done;
    };
    const auto finish = [&](int status) {
        if (json) printJson(document(status));
        return status;
    };
    const std::string prefix =
        std::string(TOOL_NAME) + ' ' + std::string(WRITE_COMMAND.name) + ": ";

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
    // A signal that came before anything was sent stops the write there.
    const auto stopsBeforeSending = [&] {
        if (interruption.signal() == 0) return false;
        result["signal"] = signalName(interruption.signal());
        printError(WRITE_COMMAND, std::string(INTERRUPTED) + signalName(interruption.signal()) +
                                      std::string(INTERRUPTED_BEFORE));
        return true;
    };
    if (stopsBeforeSending()) return finish(STATUS_SIGNAL_BASE + interruption.signal());
    // Finding the LocalBoard sends nothing, and may take seconds (a serial device server that
    // does not answer): a signal meanwhile ends the write at once.
    interruption.firstSignalEnds(true);
    interruption.onEnd(
        prefix + std::string(INTERRUPTED) + "{signal}" + std::string(INTERRUPTED_BEFORE), -1,
        json ? farewellJson(document(0)) : "");
    const bool found = state.link.boardLinkOpen || openBoardLink(*bridge, ui, state.link) == 0;
    state.link.boardLinkOpen = found;
    interruption.firstSignalEnds(false);
    if (!found) return finish(writeStatus(written));
    written = writeBothBoards(context, [&](const BoardsWritten& unsure) {
        Json farewell = document(STATUS_PARTLY_WRITTEN);
        farewell["written"] = writtenJson(unsure);
        interruption.onEnd(terminalSafe(prefix + partlyWrittenText(unsure)), STATUS_PARTLY_WRITTEN,
                           json ? farewellJson(farewell) : "");
    });
    int status = writeStatus(written);
    if (status == STATUS_PARTLY_WRITTEN) printError(WRITE_COMMAND, partlyWrittenText(written));
    const auto interrupted = [&] {
        const int signal = interruption.signal();
        result["signal"] = signalName(signal);
        std::string said = std::string(INTERRUPTED) + signalName(signal);
        if (written.both())
            said +=
                std::string(INTERRUPTED_WRITTEN) +
                std::string(parsed.has("verify") && !result.value("verified", false) ? NOT_VERIFIED
                                                                                     : "");
        printError(WRITE_COMMAND, said);
        return STATUS_SIGNAL_BASE + signal;
    };
    if (interruption.signal() != 0) {
        // Asked to stop: the write is done, the look back is not wanted.
        status = interrupted();
    } else if (status == STATUS_SUCCESS && parsed.has("verify")) {
        interruption.onEnd(
            prefix + std::string(INTERRUPTED) + "{signal}" + std::string(INTERRUPTED_VERIFYING),
            STATUS_WRITTEN_NOT_READ, json ? farewellJson(document(STATUS_WRITTEN_NOT_READ)) : "");
        status = verify(context, path, result, json);
        if (interruption.signal() != 0) status = interrupted();
    }
    closeBoardLink(*bridge, state.link);
    return finish(status);
}

}  // namespace

// Its status is what the boards took: a report that cannot be printed does not change it.
extern const Command WRITE_COMMAND = {
    "write", reference::WRITE_SUMMARY, reference::WRITE_HELP, runWrite, WRITE_OPTIONS, true};

}  // namespace tivra::cli
