#pragma once
// What the board commands (read, write, diff --boards) say of the boards: which board took or gave
// what, in words for people and as JSON members for scripts, and the exit status it comes to.

#include <string>
#include <string_view>

#include "cli/console_operator.h"
#include "cli/json_output.h"
#include "link/board_protocol.h"

namespace tivra::cli {

// How both writes of a write ended.
struct BoardsWritten {
    WriteOutcome local = WriteOutcome::NotSent;
    WriteOutcome remote = WriteOutcome::NotSent;
    bool both() const { return local == WriteOutcome::Written && remote == WriteOutcome::Written; }
    // Neither board took the configuration: both hold what they held before.
    bool none() const { return unchanged(local) && unchanged(remote); }
    static bool unchanged(WriteOutcome outcome) {
        return outcome == WriteOutcome::NotSent || outcome == WriteOutcome::Refused;
    }
};

// STATUS_SUCCESS when both boards took the configuration, STATUS_PROBLEM when neither did,
// STATUS_PARTLY_WRITTEN otherwise.
int writeStatus(const BoardsWritten& written);
// Where each board stands when the write got only part of the way: "the LocalBoard holds the new
// configuration; the RemoteBoard still holds its earlier one".
std::string partlyWrittenText(const BoardsWritten& written);
// {"localBoard": "written", "remoteBoard": "not sent"} (also "refused" and "unconfirmed").
Json writtenJson(const BoardsWritten& written);
// {"localBoard": "read", "remoteBoard": "not read"}
Json boardsReadJson(const BoardsRead& read);
// The boxes shown so far, as [{"title", "text"}].
Json messagesJson(const ConsoleOperator& ui);
// A result as a signal that ends tivractl leaves it (interruption.h): "signal" and "status"
// filled in by the handler.
std::string farewellJson(Json result);

}  // namespace tivra::cli
