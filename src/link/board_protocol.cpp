// The request/answer exchanges with the two boards and the two button sequences.

#include "link/board_protocol.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "config/board_rebuild.h"
#include "config/validation.h"
#include "link/link_texts.h"
#include "link/wire_format.h"

namespace tivra {

namespace {

constexpr uint32_t QUEUE_READY = 2;
constexpr size_t RECEIVE_BUFFER_SIZE = 1002;
constexpr size_t ACKNOWLEDGE_BUFFER_SIZE = 52;

void show(Operator& ui, std::string_view title, std::string_view text) {
    ui.message(std::string(title), std::string(text));
}

// Checks the receive queue, pauses, counts: an answer seen by the 200th check is taken, one not
// seen by then fails after the 201st check and its pause.
bool waitForAnswer(BoardContext& context, uint32_t bytesNeeded) {
    uint32_t checks = 0;
    for (;;) {
        uint32_t waiting = 0;
        uint32_t status = 0;
        if (context.bridge.checkRxQueue(context.state.link.boardLinkHandle, &waiting, &status) != 0)
            return false;
        context.pause.pause(QUEUE_CHECK_PAUSE_MS);
        if (++checks > MAX_QUEUE_CHECKS) return false;
        if (waiting >= bytesNeeded && status == QUEUE_READY) return true;
    }
}

// Reads exactly count bytes; a failed or short read is false.
bool readExactly(BoardContext& context, uint8_t* buffer, uint32_t count) {
    uint32_t got = 0;
    return context.bridge.read(context.state.link.boardLinkHandle, buffer, count, &got, nullptr) ==
               0 &&
           got == count;
}

int32_t failRead(BoardContext& context) {
    show(context.ui, link_texts::USB_FAULT_TITLE, link_texts::READ_CONFIG_FAILED_TEXT);
    return -1;
}

int32_t failAcknowledge(BoardContext& context) {
    show(context.ui, link_texts::USB_FAULT_TITLE, link_texts::WRITE_CONFIG_FAILED_TEXT);
    return -1;
}

}  // namespace

namespace {

// sendBoardRequest, telling a request that never left from one whose write call was made.
enum class Sending { NotSent, WriteFailed, Sent };

Sending sendRequest(BoardContext& context, BoardCommand command) {
    const std::vector<uint8_t> frame = encodeBoardFrame(command, context.state);

    BoardLink& link = context.state.link;
    if (!link.boardLinkOpen) {
        if (openBoardLink(context.bridge, context.ui, link) != 0) return Sending::NotSent;
        link.boardLinkOpen = true;
    }
    // Whatever a failed exchange left behind goes before the new request.
    if (context.bridge.flushBuffers(link.boardLinkHandle, 1, 1) != 0) {
        show(context.ui, link_texts::USB_FAULT_TITLE, link_texts::CHECK_CABLES_TEXT);
        return Sending::NotSent;
    }
    const auto size = static_cast<uint32_t>(frame.size());
    uint32_t written = 0;
    if (context.bridge.write(link.boardLinkHandle, frame.data(), size, &written, nullptr) != 0 ||
        written != size) {
        show(context.ui, link_texts::USB_FAULT_TITLE, link_texts::WRITE_DATA_FAILED_TEXT);
        return Sending::WriteFailed;
    }
    return Sending::Sent;
}

}  // namespace

int32_t sendBoardRequest(BoardContext& context, BoardCommand command) {
    return sendRequest(context, command) == Sending::Sent ? 0 : -1;
}

int32_t receiveConfigurationReply(BoardContext& context, BoardCommand command, PortTable& target) {
    std::vector<uint8_t> buffer(RECEIVE_BUFFER_SIZE, 0);
    if (!waitForAnswer(context, REPLY_HEAD_SIZE)) return failRead(context);
    if (!readExactly(context, buffer.data(), REPLY_HEAD_SIZE)) return failRead(context);
    if (buffer[0] != FRAME_MARK_1 || buffer[1] != FRAME_MARK_2) return failRead(context);

    // The items follow the head at once; this read relies on the bridge's read time-out. An
    // empty reply needs no read at all.
    const uint8_t itemCount = buffer[2];
    if (itemCount > 0 && !readExactly(context, buffer.data(), itemCount)) return failRead(context);

    ProgramState& state = context.state;
    if (decodeConfigurationReply(buffer.data(), itemCount, target, state.portRouting,
                                 state.channelPortMap) != ReplyProblem::None)
        return failRead(context);

    show(context.ui, link_texts::SUCCESS_TITLE,
         command == BoardCommand::ReadLocal ? link_texts::LOCAL_READ_TEXT
                                            : link_texts::REMOTE_READ_TEXT);
    return 0;
}

namespace {

// receiveWriteAcknowledge, telling an answer that refuses from one that never came.
enum class Acknowledge { Taken, Refused, Missing };

Acknowledge awaitAcknowledge(BoardContext& context, BoardCommand command) {
    std::array<uint8_t, ACKNOWLEDGE_BUFFER_SIZE> buffer{};
    if (!waitForAnswer(context, ACKNOWLEDGE_SIZE) ||
        !readExactly(context, buffer.data(), ACKNOWLEDGE_SIZE)) {
        failAcknowledge(context);
        return Acknowledge::Missing;
    }
    // Anything but 55 AA means the board did not take the configuration.
    if (buffer[0] != FRAME_MARK_1 || buffer[1] != FRAME_MARK_2) {
        failAcknowledge(context);
        return Acknowledge::Refused;
    }
    show(context.ui, link_texts::SUCCESS_TITLE,
         command == BoardCommand::WriteLocal ? link_texts::LOCAL_WRITTEN_TEXT
                                             : link_texts::REMOTE_WRITTEN_TEXT);
    return Acknowledge::Taken;
}

}  // namespace

int32_t receiveWriteAcknowledge(BoardContext& context, BoardCommand command) {
    return awaitAcknowledge(context, command) == Acknowledge::Taken ? 0 : -1;
}

int32_t readBoardConfiguration(BoardContext& context, BoardCommand command) {
    if (!isReadCommand(command)) return -1;
    if (sendBoardRequest(context, command) != 0) return -1;
    PortTable& target = command == BoardCommand::ReadLocal ? context.state.localPortTable
                                                           : context.state.remotePortTable;
    return receiveConfigurationReply(context, command, target);
}

WriteOutcome writeBoard(BoardContext& context, BoardCommand command) {
    if (!isWriteCommand(command)) return WriteOutcome::NotSent;
    if (validateConfiguration(context.state, context.form, context.ui) != 0)
        return WriteOutcome::NotSent;
    switch (sendRequest(context, command)) {
        case Sending::NotSent:
            return WriteOutcome::NotSent;
        case Sending::WriteFailed:
            return WriteOutcome::Unconfirmed;
        case Sending::Sent:
            break;
    }
    switch (awaitAcknowledge(context, command)) {
        case Acknowledge::Taken:
            return WriteOutcome::Written;
        case Acknowledge::Refused:
            return WriteOutcome::Refused;
        case Acknowledge::Missing:
            break;
    }
    return WriteOutcome::Unconfirmed;
}

int32_t writeBoardConfiguration(BoardContext& context, BoardCommand command) {
    return writeBoard(context, command) == WriteOutcome::Written ? 0 : -1;
}

BoardsRead readBothBoards(BoardContext& context) {
    BoardsRead read;
    read.localRead = readBoardConfiguration(context, BoardCommand::ReadLocal) == 0;
    read.remoteRead = readBoardConfiguration(context, BoardCommand::ReadRemote) == 0;
    // With both reads failed nothing new was learned, and a rebuild would replace the operator's
    // unsaved work with stale or zero-filled tables.
    if (read.localRead || read.remoteRead)
        read.boardsAgree = configurationFromBoards(context.state, context.form, context.ui);
    return read;
}

int32_t readConfigurationFromBoards(BoardContext& context) {
    return readBothBoards(context).bothRead() ? 0 : -1;
}

int32_t writeConfigurationToBoards(BoardContext& context) {
    const int32_t local = writeBoardConfiguration(context, BoardCommand::WriteLocal);
    const int32_t remote = writeBoardConfiguration(context, BoardCommand::WriteRemote);
    return local == 0 && remote == 0 ? 0 : -1;
}

}  // namespace tivra
