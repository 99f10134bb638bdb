#pragma once
// The ports a field engineer can plug the LocalBoard into, as the board link sees them.

#include <functional>
#include <string>
#include <vector>

#include "link/usb_bridge.h"

namespace tivra {

struct ListedPort {
    std::string name;         // the device path, or "device N" for a bridge library's N-th device
    std::string description;  // the USB product description as the bridge reports it
    bool usb = true;          // false: a serial port of another kind, with no description
    bool localBoard = false;  // the one discovery would open as the LocalBoard
    std::string serialNumber;  // the USB serial number, empty when it cannot be read
};

// The devices a bridge library reports, in its order, with the one discovery would take marked.
// A device whose product string cannot be read shows an empty description.
std::vector<ListedPort> listBridgeDevices(UsbBridge& bridge);

// Every port of this machine: on POSIX each serial port libserialport finds, by path, the USB
// ones in the order and with the descriptions the serial bridge uses; on Windows the devices of
// the bridge library.
// note: told why a bridge library (Windows) could not be used.
std::vector<ListedPort> listMachinePorts(const std::function<void(const std::string&)>& note = {});
// The port at path as listMachinePorts lists it (found by the device it names, whatever path names
// it), under the name given; a port it does not list (a pseudo-terminal, a file) is no USB port.
ListedPort listedPortAt(const std::string& path);

}  // namespace tivra
