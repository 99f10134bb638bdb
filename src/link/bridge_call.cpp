#include "link/bridge_call.h"

#include <string>

#include "config/text_compare.h"

namespace tivra {

std::string_view bridgeCallName(BridgeCall call) {
    switch (call) {
        case BridgeCall::GetNumDevices:
            return "getNumDevices";
        case BridgeCall::GetProductString:
            return "getProductString";
        case BridgeCall::Open:
            return "open";
        case BridgeCall::Close:
            return "close";
        case BridgeCall::Read:
            return "read";
        case BridgeCall::Write:
            return "write";
        case BridgeCall::FlushBuffers:
            return "flushBuffers";
        case BridgeCall::SetTimeouts:
            return "setTimeouts";
        case BridgeCall::CheckRxQueue:
            return "checkRxQueue";
        case BridgeCall::SetBaudRate:
            return "setBaudRate";
        case BridgeCall::SetLineControl:
            return "setLineControl";
    }
    return "?";
}

std::optional<BridgeCall> bridgeCallFromText(std::string_view text) {
    for (BridgeCall call : ALL_BRIDGE_CALLS) {
        if (equalIgnoringAsciiCase(text, bridgeCallName(call))) return call;
        if (text == std::to_string(static_cast<int>(call))) return call;
    }
    return std::nullopt;
}

}  // namespace tivra
