#include <climits>
#include <cstdlib>

#include "link/bridges/serial.h"
#include "link/port_listing.h"

namespace tivra {

std::vector<ListedPort> listMachinePorts(const std::function<void(const std::string&)>&) {
    const std::vector<SerialPortEntry> all = listSerialPorts();
    std::vector<SerialPortEntry> usb;
    for (const SerialPortEntry& port : all)
        if (port.usb) usb.push_back(port);
    // The USB ports through the serial bridge over exactly them, as the platform bridge lists them.
    SerialBridge bridge(usb);
    std::vector<ListedPort> devices = listBridgeDevices(bridge);
    std::vector<ListedPort> ports;
    size_t next = 0;
    for (const SerialPortEntry& port : all) {
        if (!port.usb) {
            ports.push_back({port.path, "", false, false});
            continue;
        }
        ListedPort device = std::move(devices[next++]);
        device.name = port.path;
        ports.push_back(std::move(device));
    }
    return ports;
}

ListedPort listedPortAt(const std::string& path) {
    // The same device may be named by another path (/dev/serial/by-id/...).
    const auto real = [](const std::string& name) {
        char resolved[PATH_MAX];
        return ::realpath(name.c_str(), resolved) ? std::string(resolved) : name;
    };
    const std::string wanted = real(path);
    for (ListedPort port : listMachinePorts()) {
        if (real(port.name) != wanted) continue;
        port.name = path;
        return port;
    }
    return {path, "", false, false};
}

}  // namespace tivra
