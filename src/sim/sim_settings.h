#pragma once
// What the simulated hardware looks like and how it misbehaves. Every fault is one setting; the
// defaults describe one healthy bridge with the board pair behind it, answering at once.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/bridge_call.h"

namespace tivra::sim {

// One USB bridge attached to the PC, in the order the library lists them.
struct SimDevice {
    std::string description;  // the product string; may be longer than 100 bytes
    bool hasBoards = false;   // the board pair answers behind this bridge
    std::string serialNumber = "QV-0001";  // its USB serial number
};

// Make a bridge library call fail with a non-zero status (and no other effect).
struct CallFault {
    BridgeCall call = BridgeCall::GetNumDevices;
    uint32_t occurrence = 0;  // 0: every call of this operation; n: only its n-th call
};

// How a configuration reply is spoiled.
enum class ReplyFault {
    None,
    BadHead,                // the reply starts AA 55 instead of 55 AA (length and items follow)
    ItemCutShort,           // the last item loses its last byte, N counts what is sent
    UnknownTag,             // an item with tag unknownTag (02 00 00) leads the items
    PortOutOfRange,         // the first item names port 8
    RoutingOutOfRange,      // a routing item with entry 0 = 8 (added to a RemoteBoard reply)
    ChannelPortOutOfRange,  // a channel-ports item with entry 0 = 8 (likewise)
    LengthBeyondItems,      // N promises ten more item bytes than are sent
    Empty,                  // 55 AA 00: a reply without items
};

// A baud rate that a board keeps for one of its ports, whatever a write sends there.
struct StoredRate {
    uint8_t port = 0;  // 0..7
    int32_t baudrate = 0;
};

struct SimSettings {
    // --- the bridges and their library ---------------------------------------------------
    // No bridge: empty. Another product: a description other than "Quorvantel Ostrel".
    // Several bridges: more entries, the boards behind the one marked.
    std::vector<SimDevice> devices{{"Quorvantel Ostrel", true}};
    std::vector<CallFault> failingCalls;
    // A write reports one byte fewer than asked; nothing reaches the boards.
    bool shortWrite = false;
    // n > 0: the n-th read call returns one byte fewer than it could.
    uint32_t shortReadOccurrence = 0;
    // The queue status reported while bytes wait (2 is what the PC waits for).
    uint32_t queueStatus = 2;

    // --- the boards ------------------------------------------------------------------------
    // false: requests are taken and never answered.
    bool answers = true;
    // The answer shows from this receive-queue check after the request on (0 and 1: at once)...
    uint32_t readyAfterChecks = 0;
    // ... and not before this many ms after the request arrived.
    uint32_t readyAfterMs = 0;
    ReplyFault replyFault = ReplyFault::None;
    uint8_t unknownTag = 0x02;
    // Writes are refused with 55 00 and not taken.
    bool negativeAcknowledge = false;
    // Replaces every answer with exactly these bytes (a write is still taken).
    std::optional<std::vector<uint8_t>> answerWith;
    // Sent after every answer.
    std::vector<uint8_t> strayBytes;
    // A write of the RemoteBoard is acknowledged, but these ports then hold these rates.
    std::vector<StoredRate> remoteStoresRates;
    // A write of the RemoteBoard is acknowledged, but every port then holds this sensor type: the
    // boards' tables disagree with each other.
    std::optional<int8_t> remoteKeepsSensorType;
    // The board faults (answers, delays, replyFault, negativeAcknowledge, answerWith, strayBytes
    // remoteStoresRates and remoteKeepsSensorType) apply only to requests with this command byte; to all requests when
    // empty.
    std::optional<uint8_t> faultsOnlyFor;
};

}  // namespace tivra::sim
