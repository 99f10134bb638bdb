#pragma once
// What the file tests share: the bytes a save must produce, spelt out here independently of the
// writer.

#include <string>

#include "config/channel_config.h"
#include "support/configuration_views.h"

namespace tivra::test {

// The bytes a save of `c` must produce.
inline std::string expectedFileText(const MuxConfiguration& c) {
    const char* keys[] = {"Enabled",    "Sensor Type", "Local Port",      "Local Baudrate",
                          "Local Mode", "Remote Port", "Remote Baudrate", "Remote Mode",
                          "Priority",   "Chunksize"};
    std::string t = "; Serial Multiplexer Configuration File\r\n";
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        const ChannelConfig& ch = c.channel(n);
        const int32_t values[] = {ch.enabled,   ch.sensorType, ch.localPort,      ch.localBaudrate,
                                  ch.localMode, ch.remotePort, ch.remoteBaudrate, ch.remoteMode,
                                  ch.priority,  ch.chunksize};
        t += "; \r\n[Channel " + std::to_string(n) + "]\r\n";
        for (size_t k = 0; k < 10; ++k)
            t += std::string(keys[k]) + " = " + std::to_string(values[k]) + "\r\n";
    }
    return t;
}

}  // namespace tivra::test
