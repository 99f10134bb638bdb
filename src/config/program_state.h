#pragma once
// Everything that lives from start-up to exit, owned by the application and passed by reference.

#include <string>

#include "config/board_tables.h"
#include "config/channel_config.h"

namespace tivra {

using DeviceHandle = void*;

struct BoardLink {
    DeviceHandle boardLinkHandle = nullptr;
    bool boardLinkOpen = false;  // set by the first successful discovery, never cleared
};

struct ProgramState {
    MuxConfiguration configuration{};
    PortTable localPortTable{};
    PortTable remotePortTable{};
    PortRouting portRouting{};
    ChannelPortMap channelPortMap{};
    std::string currentConfigPath;
    BoardLink link{};
};

}  // namespace tivra
