#include "link/port_listing.h"

#include <array>

#include "link/board_protocol.h"
#include "link/link_texts.h"

namespace tivra {

std::vector<ListedPort> listBridgeDevices(UsbBridge& bridge) {
    std::vector<ListedPort> devices;
    uint32_t count = 0;
    bridge.getNumDevices(&count);
    // Read as discovery reads them: one buffer, cleared once; discovery takes the first exact
    // match and gives up at the first product string it cannot read.
    std::array<char, PRODUCT_STRING_SIZE> buffer{};
    bool decided = false;
    for (uint32_t index = 0; index < count; ++index) {
        ListedPort device;
        device.name = std::string(link_texts::DEVICE_NAME_PREFIX) + std::to_string(index);
        const bool read = bridge.getProductString(index, buffer.data(), PRODUCT_DESCRIPTION) == 0;
        if (read) device.description = descriptionText(buffer);
        device.localBoard =
            read && !decided && device.description == link_texts::BOARD_PRODUCT_DESCRIPTION;
        decided = decided || !read || device.localBoard;
        devices.push_back(std::move(device));
    }
    // Then the serial numbers, each in a buffer of its own: discovery never asks for them.
    for (uint32_t index = 0; index < count; ++index) {
        std::array<char, PRODUCT_STRING_SIZE> serialNumber{};
        if (bridge.getProductString(index, serialNumber.data(), PRODUCT_SERIAL_NUMBER) == 0)
            devices[index].serialNumber = descriptionText(serialNumber);
    }
    return devices;
}

}  // namespace tivra
