#pragma once
// The boards' own view of a configuration: settings per port, and how ports are joined.

#include <array>
#include <cstdint>

#include "config/channel_config.h"

namespace tivra {

struct PortSettings {
    int8_t enabled = 0;
    int8_t sensorType = 0;
    int32_t baudrate = 0;
    int8_t mode = 0;
    int8_t priority = 0;
    int16_t chunksize = 0;

    friend bool operator==(const PortSettings&, const PortSettings&) = default;
};

using PortTable = std::array<PortSettings, PORT_COUNT>;     // indexed by board port 0..7
using PortRouting = std::array<int32_t, PORT_COUNT>;        // local port -> remote port
using ChannelPortMap = std::array<int32_t, CHANNEL_COUNT>;  // [channel - 1] -> local port

}  // namespace tivra
