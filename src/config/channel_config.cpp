#include "config/channel_config.h"

namespace tivra {

ChannelConfig DefaultChannelConfig(int channel) {
    ChannelConfig c;
    c.enabled = 0;
    c.sensorType = 0;  // "QV Sonar"
    c.localPort = static_cast<int8_t>(channel - 1);
    c.localBaudrate = 57600;
    c.localMode = 0;  // "232"
    c.remotePort = static_cast<int8_t>(channel - 1);
    c.remoteBaudrate = 57600;
    c.remoteMode = 0;
    c.priority = 1;
    c.chunksize = 10;
    return c;
}

}  // namespace tivra
