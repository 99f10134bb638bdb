#include "boards/bridge_choice.h"
#include "link/bridges/serial.h"
#include "link/link_texts.h"

namespace tivra {

bool takenOnThisPlatform(BridgeChoice::Kind kind) {
    return kind != BridgeChoice::Kind::Device;
}

std::string_view bridgeValuesOfThisPlatform() {
    return link_texts::POSIX_BRIDGE_VALUES;
}

std::unique_ptr<UsbBridge> makePlatformBridge(const BridgeChoice& choice,
                                              const OpenFailureNote& note) {
    std::unique_ptr<SerialBridge> serial;
    if (choice.kind == BridgeChoice::Kind::SerialPath) {
        // The named device is the LocalBoard, whatever it reports about itself.
        serial = std::make_unique<SerialBridge>(std::vector<SerialPortEntry>{
            {choice.name, std::string(link_texts::BOARD_PRODUCT_DESCRIPTION)}});
    } else if (choice.kind == BridgeChoice::Kind::UsbSerial) {
        // The USB port of that serial number: discovery then looks at it as at any other.
        std::vector<SerialPortEntry> ports = usbPortsWithSerialNumber(choice.name);
        if (ports.empty() && note)
            note(std::string(link_texts::NO_PORT_WITH_SERIAL) + "\"" + choice.name + "\"");
        serial = std::make_unique<SerialBridge>(std::move(ports));
    } else {
        serial = std::make_unique<SerialBridge>();
    }
    serial->onOpenFailure = note;
    return serial;
}

}  // namespace tivra
