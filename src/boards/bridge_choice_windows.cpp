#include "boards/bridge_choice.h"
#include "link/bridges/one_device.h"
#include "link/bridges/siusbxp.h"
#include "link/link_texts.h"

namespace tivra {

bool takenOnThisPlatform(BridgeChoice::Kind kind) {
    return kind != BridgeChoice::Kind::SerialPath && kind != BridgeChoice::Kind::UsbSerial;
}

std::string_view bridgeValuesOfThisPlatform() {
    return link_texts::WINDOWS_BRIDGE_VALUES;
}

std::unique_ptr<UsbBridge> makePlatformBridge(const BridgeChoice& choice,
                                              const OpenFailureNote& note) {
    std::unique_ptr<UsbBridge> library = makeSiUsbXpBridge(note);
    if (choice.kind != BridgeChoice::Kind::Device) return library;
    // Device N alone, looked at by discovery as any device is.
    return std::make_unique<OneDeviceBridge>(std::move(library), choice.number);
}

}  // namespace tivra
