#include "link/bridge_choice.h"
#include "link/port_listing.h"

namespace tivra {

std::vector<ListedPort> listMachinePorts() {
    return listBridgeDevices(*makeSiUsbXpBridge());
}

ListedPort listedPortAt(const std::string& path) {
    return {path, "", false, false};
}

}  // namespace tivra
