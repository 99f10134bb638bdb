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

struct SimSettings {
    // --- the bridges and their library ---------------------------------------------------
    // No bridge: empty. Another product: a description other than "Quorvantel Ostrel".
    // Several bridges: more entries, the boards behind the one marked.
    std::vector<SimDevice> devices{{"Quorvantel Ostrel", true}};
    std::vector<CallFault> failingCalls;
    bool shortWrite =
        false;  // a write reports one byte fewer than asked; nothing reaches the boards

    // --- the boards ------------------------------------------------------------------------
    bool answers = true;  // false: requests are taken and never answered
    uint32_t readyAfterChecks =
        0;                      // the answer shows from this receive-queue check on (0, 1: at once)
    uint32_t readyAfterMs = 0;  // ... and not before this many ms after the request arrived
    ReplyFault replyFault = ReplyFault::None;
    uint8_t unknownTag = 0x02;
    bool negativeAcknowledge = false;  // writes are refused with 55 00 and not taken
    std::vector<uint8_t> strayBytes;   // sent after every answer
    // The board faults above (answers, delays, replyFault, negativeAcknowledge, strayBytes)
    // apply only to requests with this command byte; to all requests when empty.
    std::optional<uint8_t> faultsOnlyFor;
};

}  // namespace tivra::sim
