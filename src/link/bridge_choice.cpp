#include "link/bridge_choice.h"

#include <cstdlib>

#include "link/bridges/simulated.h"
#include "link/link_texts.h"
#ifndef _WIN32
#include "link/bridges/serial.h"
#endif

namespace tivra {

namespace {
constexpr std::string_view SIM_VALUE = "sim";
constexpr std::string_view SERIAL_PREFIX = "serial:";
}  // namespace

bool parseBridgeChoice(std::string_view value, BridgeChoice& choice, std::string& error) {
    if (value.empty()) {
        choice = {BridgeChoice::Kind::Platform, ""};
        return true;
    }
    if (value == SIM_VALUE) {
        choice = {BridgeChoice::Kind::Simulated, ""};
        return true;
    }
    if (value.substr(0, SERIAL_PREFIX.size()) == SERIAL_PREFIX) {
        const std::string_view path = value.substr(SERIAL_PREFIX.size());
        if (path.empty()) {
            error = link_texts::EMPTY_SERIAL_PATH_TEXT;
            return false;
        }
        choice = {BridgeChoice::Kind::SerialPath, std::string(path)};
        return true;
    }
    error = std::string(link_texts::UNKNOWN_BRIDGE_BEFORE) + std::string(value) +
            std::string(link_texts::UNKNOWN_BRIDGE_AFTER);
    return false;
}

std::unique_ptr<UsbBridge> makeBridge(const BridgeChoice& choice, std::string& error,
                                      [[maybe_unused]] const OpenFailureNote& note) {
    switch (choice.kind) {
        case BridgeChoice::Kind::Simulated:
            return std::make_unique<SimulatedBridge>();
        case BridgeChoice::Kind::SerialPath:
#ifdef _WIN32
            error = link_texts::NO_SERIAL_BRIDGE_TEXT;
            return nullptr;
#else
        {
            // The named device is the LocalBoard, whatever it reports about itself.
            auto serial = std::make_unique<SerialBridge>(std::vector<SerialPortEntry>{
                {choice.path, std::string(link_texts::BOARD_PRODUCT_DESCRIPTION)}});
            serial->onOpenFailure = note;
            return serial;
        }
#endif
        case BridgeChoice::Kind::Platform:
            break;
    }
#ifdef _WIN32
    return makeSiUsbXpBridge(note);
#else
    (void)error;
    return std::make_unique<SerialBridge>();
#endif
}

bool bridgeChoiceFromEnvironment(BridgeChoice& choice, std::string& error) {
    const char* value = std::getenv(std::string(link_texts::BRIDGE_VARIABLE).c_str());
    return parseBridgeChoice(value ? value : "", choice, error);
}

std::unique_ptr<UsbBridge> makeBridgeFromEnvironment(std::string& error,
                                                     const OpenFailureNote& note) {
    BridgeChoice choice;
    if (!bridgeChoiceFromEnvironment(choice, error)) return nullptr;
    return makeBridge(choice, error, note);
}

}  // namespace tivra
