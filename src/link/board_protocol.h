#pragma once
// Reading and writing the configuration of the two boards: discovery of the LocalBoard, the
// request/answer exchanges, and the two button sequences that the window and tivractl run.
//
// Every operation returns 0 for success and -1 for failure; a failure has already been shown to
// the operator through BoardContext::ui, so callers only pass -1 on.

#include <array>
#include <cstdint>
#include <string_view>

#include "config/config_form.h"
#include "config/operator.h"
#include "config/program_state.h"
#include "link/board_command.h"
#include "link/pause.h"
#include "link/usb_bridge.h"

namespace tivra {

// What one exchange works with. The state (tables, record, BoardLink) lives as long as the
// program; the others are the window's or tivractl's.
struct BoardContext {
    ProgramState& state;  // tables, MuxConfiguration and state.link (boardLinkHandle/boardLinkOpen)
    ConfigForm& form;     // validated before every write
    Operator& ui;         // every message box of an exchange
    UsbBridge& bridge;    // the bridge library (real, serial or simulated)
    Pause& pause;         // the 10 ms pauses between queue checks
};

// The text of a product-string buffer as discovery reads it: up to the first NUL, never past the
// buffer's end.
std::string_view descriptionText(const std::array<char, PRODUCT_STRING_SIZE>& buffer);
// Finds the first bridge whose product description is exactly "Quorvantel Ostrel", opens it into
// link.boardLinkHandle and sets up its serial side. Does not touch link.boardLinkOpen. When a
// set-up call fails after the open succeeded, the device is closed again before -1.
int32_t openBoardLink(UsbBridge& bridge, Operator& ui, BoardLink& link);
// At shutdown: closes the handle when the link was opened (its status is not examined).
void closeBoardLink(UsbBridge& bridge, BoardLink& link);

// Encodes the request, runs discovery while the link is not open, flushes, writes the frame.
int32_t sendBoardRequest(BoardContext& context, BoardCommand command);
// Waits for a configuration reply, reads it and, when the whole reply is well formed, stores it
// into target, state.portRouting and state.channelPortMap. Nothing is stored on failure.
int32_t receiveConfigurationReply(BoardContext& context, BoardCommand command, PortTable& target);
// Waits for the two-byte acknowledgement; only 55 AA counts as written.
int32_t receiveWriteAcknowledge(BoardContext& context, BoardCommand command);

// ReadLocal or ReadRemote (anything else: -1, no message).
int32_t readBoardConfiguration(BoardContext& context, BoardCommand command);

// How far one board's write got: what a command line must tell apart, where the window only
// shows its box.
enum class WriteOutcome {
    NotSent,      // no byte of the frame left: the check failed, no LocalBoard, a failed flush
    Refused,      // the board answered, but not 55 AA: it did not take the configuration
    Unconfirmed,  // the frame (or part of it) went out, but no answer came back whole: the board
                  // may hold either configuration
    Written,      // the board acknowledged the frame
};
// WriteLocal or WriteRemote (anything else: NotSent, no message); validates the form first.
WriteOutcome writeBoard(BoardContext& context, BoardCommand command);
// The same as 0 (Written) or -1.
int32_t writeBoardConfiguration(BoardContext& context, BoardCommand command);

// What the "Read Configuration" button learned.
struct BoardsRead {
    bool localRead = false;
    bool remoteRead = false;
    bool boardsAgree = true;  // false when the rebuild warned that the boards' tables disagree
    bool bothRead() const { return localRead && remoteRead; }
};
// The "Read Configuration" button: both reads, then configurationFromBoards when at least one of
// them succeeded.
BoardsRead readBothBoards(BoardContext& context);
// The same, 0 only when both reads succeeded.
int32_t readConfigurationFromBoards(BoardContext& context);
// The "Write Configuration" button: the LocalBoard's write, then the RemoteBoard's whatever the
// first result. 0 only when both writes succeeded.
int32_t writeConfigurationToBoards(BoardContext& context);

}  // namespace tivra
