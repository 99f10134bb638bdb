#include "config/board_rebuild.h"

#include <string>

#include "config/config_texts.h"
#include "config/form_transfer.h"

namespace tivra {

namespace {

bool portInRange(int32_t port) {
    return port >= 0 && port < PORT_COUNT;
}

// Baud rates and modes belong to one end each; the rest describes the channel and must agree.
bool endsDisagree(const PortSettings& local, const PortSettings& remote) {
    return local.sensorType != remote.sensorType || local.enabled != remote.enabled ||
           local.priority != remote.priority || local.chunksize != remote.chunksize;
}

// A channel with nothing chosen: what is left of any field whose table entry cannot be read.
ChannelConfig nothingChosen() {
    ChannelConfig c;
    c.enabled = 0;
    c.sensorType = -1;
    c.localPort = -1;
    c.localBaudrate = 0;
    c.localMode = -1;
    c.remotePort = -1;
    c.remoteBaudrate = 0;
    c.remoteMode = -1;
    c.priority = 0;
    c.chunksize = 0;
    return c;
}

}  // namespace

bool configurationFromBoards(ProgramState& state, ConfigForm& form, Operator& ui) {
    // A board reply may name ports outside 0..7; such entries are never looked up, the channel
    // shows without them, and the operator is told to reconfigure.
    bool warn = false;
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        ChannelConfig c = nothingChosen();
        const int32_t lp = state.channelPortMap[static_cast<size_t>(n - 1)];
        if (!portInRange(lp)) {
            warn = true;
        } else {
            const PortSettings& local = state.localPortTable[static_cast<size_t>(lp)];
            c.enabled = local.enabled;
            c.sensorType = local.sensorType;
            c.priority = local.priority;
            c.chunksize = local.chunksize;
            c.localPort = static_cast<int8_t>(lp);
            c.localBaudrate = local.baudrate;
            c.localMode = local.mode;

            const int32_t rp = state.portRouting[static_cast<size_t>(lp)];
            if (!portInRange(rp)) {
                warn = true;
            } else {
                const PortSettings& remote = state.remotePortTable[static_cast<size_t>(rp)];
                c.remotePort = static_cast<int8_t>(rp);
                c.remoteBaudrate = remote.baudrate;
                c.remoteMode = remote.mode;
                if (endsDisagree(local, remote)) warn = true;
            }
        }
        state.configuration.channel(n) = c;
    }

    showConfiguration(state.configuration, form);
    if (warn) ui.message(std::string(ALERT_TITLE), std::string(BOARDS_DISAGREE_TEXT));
    return !warn;
}

}  // namespace tivra
