#include "link/bridges/siusbxp.h"
#include "link/port_listing.h"

namespace tivra {

std::vector<ListedPort> listMachinePorts(const std::function<void(const std::string&)>& note) {
    return listBridgeDevices(*makeSiUsbXpBridge(note));
}

ListedPort listedPortAt(const std::string& path) {
    return {path, "", false, false};
}

}  // namespace tivra
