#pragma once
// What the file tests share: a valid mixed configuration and the bytes a save must produce
// (spelt out here independently of the writer).

#include <string>

#include "config/channel_config.h"
#include "support/configuration_views.h"

namespace tivra::test {

// A valid configuration that uses every list and both general-purpose sensor types.
inline MuxConfiguration mixedConfiguration() {
    MuxConfiguration c = defaultConfiguration();
    c.channel(1) = {1, 0, 2, 9600, 1, 5, 115200, 0, 1, 10};
    c.channel(2) = {1, 3, 0, 19200, 0, 0, 19200, 1, 7, 400};
    c.channel(3) = {1, 4, 1, 230400, 1, 7, 230400, 1, 10, 1};
    c.channel(4) = {0, 0, 3, 57600, 0, 1, 57600, 0, 1, 10};
    c.channel(5) = {0, 0, 4, 57600, 0, 3, 57600, 0, 1, 10};
    c.channel(6) = {0, 2, 5, 600, 0, 2, 1200, 1, 1, 10};
    c.channel(7) = {0, 0, 6, 57600, 0, 4, 57600, 0, 1, 10};
    c.channel(8) = {0, 0, 7, 57600, 0, 6, 57600, 0, 1, 10};
    return c;
}

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
