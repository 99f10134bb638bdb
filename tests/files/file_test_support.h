#pragma once
// What the file tests share: configurations, the bytes a save must produce (spelt out here
// independently of the writer), and a snapshot of a whole form.

#include <string>
#include <vector>

#include "config/channel_config.h"
#include "config/config_form.h"
#include "config/controls.h"

namespace tivra::test {

inline MuxConfiguration defaultConfiguration() {
    MuxConfiguration c;
    for (int n = 1; n <= CHANNEL_COUNT; ++n) c.channel(n) = DefaultChannelConfig(n);
    return c;
}

// A valid configuration that uses every list and both general-purpose sensor types.
inline MuxConfiguration mixedConfiguration() {
    MuxConfiguration c = defaultConfiguration();
    c.channel(1) = {1, 0, 2, 9600, 1, 5, 115200, 0, 1, 10};
    c.channel(2) = {1, 3, 0, 19200, 0, 0, 19200, 1, 7, 400};
    c.channel(3) = {1, 4, 1, 230400, 1, 7, 230400, 1, 10, 1};
    c.channel(6) = {0, 2, 5, 600, 0, 2, 1200, 1, 1, 10};
    c.channel(4).localPort = 3;
    c.channel(5).localPort = 4;
    c.channel(7).localPort = 6;
    c.channel(8).localPort = 7;
    c.channel(4).remotePort = 1;
    c.channel(5).remotePort = 3;
    c.channel(7).remotePort = 4;
    c.channel(8).remotePort = 6;
    return c;
}

inline std::string expectedFileText(const MuxConfiguration& c) {
    std::string t = "; Serial Multiplexer Configuration File\r\n";
    auto line = [&](const char* key, int value) {
        t += std::string(key) + " = " + std::to_string(value) + "\r\n";
    };
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        const ChannelConfig& ch = c.channel(n);
        t += "; \r\n[Channel " + std::to_string(n) + "]\r\n";
        line("Enabled", ch.enabled);
        line("Sensor Type", ch.sensorType);
        line("Local Port", ch.localPort);
        line("Local Baudrate", ch.localBaudrate);
        line("Local Mode", ch.localMode);
        line("Remote Port", ch.remotePort);
        line("Remote Baudrate", ch.remoteBaudrate);
        line("Remote Mode", ch.remoteMode);
        line("Priority", ch.priority);
        line("Chunksize", ch.chunksize);
    }
    return t;
}

// Everything the operator could see of the eighty row controls.
inline std::vector<std::string> formSnapshot(const ConfigForm& form) {
    std::vector<std::string> out;
    for (int id = 1; id <= 80; ++id)
        out.push_back(std::to_string(id) + (form.isChecked(id) ? " checked" : " -") + " sel " +
                      std::to_string(form.selectedIndex(id)) + " text '" + form.text(id) + "'" +
                      (form.isEnabled(id) ? " enabled" : " disabled"));
    return out;
}

}  // namespace tivra::test
