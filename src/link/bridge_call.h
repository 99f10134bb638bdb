#pragma once
// The eleven bridge library operations by name, numbered by their ordinal in the Windows
// library. Used to record calls and to pick a call for the simulator to fail.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tivra {

enum class BridgeCall : uint8_t {
    GetNumDevices = 1,
    GetProductString = 2,
    Open = 3,
    Close = 4,
    Read = 6,
    Write = 7,
    FlushBuffers = 9,
    SetTimeouts = 10,
    CheckRxQueue = 12,
    SetBaudRate = 13,
    SetLineControl = 15,
};

inline constexpr std::array<BridgeCall, 11> ALL_BRIDGE_CALLS = {
    BridgeCall::GetNumDevices, BridgeCall::GetProductString,
    BridgeCall::Open,          BridgeCall::Close,
    BridgeCall::Read,          BridgeCall::Write,
    BridgeCall::FlushBuffers,  BridgeCall::SetTimeouts,
    BridgeCall::CheckRxQueue,  BridgeCall::SetBaudRate,
    BridgeCall::SetLineControl};

// "getNumDevices", "getProductString", ... as the UsbBridge operations are named.
std::string_view bridgeCallName(BridgeCall call);
// A name as above (any letter case) or an ordinal in decimal ("12").
std::optional<BridgeCall> bridgeCallFromText(std::string_view text);

}  // namespace tivra
