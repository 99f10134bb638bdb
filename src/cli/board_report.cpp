#include "cli/board_report.h"

#include "cli/cli_texts.h"
#include "cli/command.h"

namespace tivra::cli {

namespace {

std::string_view outcomeWord(WriteOutcome outcome) {
    switch (outcome) {
        case WriteOutcome::Written:
            return "written";
        case WriteOutcome::Refused:
            return "refused";
        case WriteOutcome::Unconfirmed:
            return "unconfirmed";
        case WriteOutcome::NotSent:
            break;
    }
    return "not sent";
}

std::string boardText(std::string_view board, WriteOutcome outcome) {
    switch (outcome) {
        case WriteOutcome::Written:
            return "the " + std::string(board) + std::string(BOARD_HOLDS_NEW);
        case WriteOutcome::Refused:
            return "the " + std::string(board) + std::string(BOARD_REFUSED);
        case WriteOutcome::Unconfirmed:
            return "the " + std::string(board) + std::string(BOARD_MAY_HOLD_EITHER);
        case WriteOutcome::NotSent:
            break;
    }
    return "the " + std::string(board) + std::string(BOARD_HOLDS_EARLIER);
}

}  // namespace

int writeStatus(const BoardsWritten& written) {
    if (written.both()) return STATUS_SUCCESS;
    return written.none() ? STATUS_PROBLEM : STATUS_PARTLY_WRITTEN;
}

std::string partlyWrittenText(const BoardsWritten& written) {
    return std::string(PARTLY_WRITTEN) + boardText(LOCAL_BOARD_NAME, written.local) + "; " +
           boardText(REMOTE_BOARD_NAME, written.remote);
}

Json writtenJson(const BoardsWritten& written) {
    return {{"localBoard", outcomeWord(written.local)},
            {"remoteBoard", outcomeWord(written.remote)}};
}

Json boardsReadJson(const BoardsRead& read) {
    return {{"localBoard", read.localRead ? "read" : "not read"},
            {"remoteBoard", read.remoteRead ? "read" : "not read"}};
}

Json messagesJson(const ConsoleOperator& ui) {
    Json messages = Json::array();
    for (const ConsoleOperator::Shown& box : ui.shown())
        messages.push_back({{"title", box.title}, {"text", box.text}});
    return messages;
}

std::string farewellJson(Json result) {
    result["status"] = "{status}";
    result["signal"] = "{signal}";
    std::string text = jsonText(result);
    const std::string quoted = "\"{status}\"";
    text.replace(text.find(quoted), quoted.size(), "{status}");
    return text;
}

}  // namespace tivra::cli
