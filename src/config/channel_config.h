#pragma once
// The record the operator edits: eight channels, each with the fields of one form row.

#include <array>
#include <cstddef>
#include <cstdint>

namespace tivra {

constexpr int CHANNEL_COUNT = 8;
constexpr int PORT_COUNT = 8;

struct ChannelConfig {
    int8_t enabled = 0;         // 0 = off, anything else = on
    int8_t sensorType = 0;      // position in the sensor type list, -1 = none
    int8_t localPort = 0;       // position in the port list (board port - 1), -1 = none
    int32_t localBaudrate = 0;  // bit/s, 0 = blank or not a number
    int8_t localMode = 0;       // position in the mode list, -1 = none
    int8_t remotePort = 0;
    int32_t remoteBaudrate = 0;
    int8_t remoteMode = 0;
    int8_t priority = 0;    // the number itself (1..10), not a list position
    int16_t chunksize = 0;  // packet size of a general-purpose sensor

    friend bool operator==(const ChannelConfig&, const ChannelConfig&) = default;
};

// Channels are numbered 1..8 wherever the operator or a file sees them.
struct MuxConfiguration {
    std::array<ChannelConfig, CHANNEL_COUNT> channels{};

    ChannelConfig& channel(int n) { return channels.at(static_cast<size_t>(n - 1)); }
    const ChannelConfig& channel(int n) const { return channels.at(static_cast<size_t>(n - 1)); }

    friend bool operator==(const MuxConfiguration&, const MuxConfiguration&) = default;
};

// The values a channel takes for every key missing from a file (channel n joins port n to port n).
ChannelConfig DefaultChannelConfig(int channel);

}  // namespace tivra
