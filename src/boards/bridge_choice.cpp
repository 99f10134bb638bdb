#include "boards/bridge_choice.h"

#include <cstdlib>

#include "link/bridges/network.h"
#include "link/link_texts.h"
#include "sim/simulated_bridge.h"

namespace tivra {

namespace {

constexpr std::string_view SIM_VALUE = "sim";

struct Prefix {
    std::string_view text;
    BridgeChoice::Kind kind;
};
constexpr Prefix PREFIXES[] = {
    {"serial:", BridgeChoice::Kind::SerialPath}, {"usb:", BridgeChoice::Kind::UsbSerial},
    {"device:", BridgeChoice::Kind::Device},     {"rfc2217://", BridgeChoice::Kind::Rfc2217},
    {"tcp://", BridgeChoice::Kind::RawTcp},
};

bool refuse(std::string& error, std::string text) {
    error = std::move(text);
    return false;
}

// "HOST:PORT", the host perhaps an IPv6 address in brackets, the port 1 to 65535.
bool parseServer(std::string_view text, std::string& host, uint32_t& port) {
    size_t colon = std::string_view::npos;
    if (!text.empty() && text.front() == '[') {
        const size_t close = text.find(']');
        if (close == std::string_view::npos || close + 1 >= text.size() || text[close + 1] != ':')
            return false;
        host = std::string(text.substr(1, close - 1));
        colon = close + 1;
    } else {
        colon = text.rfind(':');
        if (colon == std::string_view::npos) return false;
        host = std::string(text.substr(0, colon));
        if (host.find(':') != std::string::npos) return false;  // IPv6 wants brackets
    }
    const std::string_view digits = text.substr(colon + 1);
    // The port as a number is written: no sign, no leading zero.
    if (host.empty() || digits.empty() || digits.size() > 5 || digits.front() == '0' ||
        digits.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    // A name or an address: no blank or control character that a message would show as
    // something else.
    for (const char c : host)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    port = static_cast<uint32_t>(std::stoul(std::string(digits)));
    // Brackets only around an IPv6 address, and nowhere else.
    const bool bracketed = text.front() == '[';
    return port >= 1 && port <= 65535 && host.find_first_of(" /\\\t[]") == std::string::npos &&
           (!bracketed || host.find(':') != std::string::npos);
}

}  // namespace

bool parseBridgeChoice(std::string_view value, BridgeChoice& choice, std::string& error) {
    if (value.empty()) {
        choice = {BridgeChoice::Kind::Platform, "", 0};
        return true;
    }
    if (value == SIM_VALUE) {
        choice = {BridgeChoice::Kind::Simulated, "", 0};
        return true;
    }
    for (const Prefix& prefix : PREFIXES) {
        if (value.substr(0, prefix.text.size()) != prefix.text) continue;
        const std::string_view rest = value.substr(prefix.text.size());
        if (!takenOnThisPlatform(prefix.kind))
            return refuse(error, std::string(prefix.text) + std::string(link_texts::NOT_HERE) +
                                     std::string(bridgeValuesOfThisPlatform()));
        choice = {prefix.kind, std::string(rest), 0};
        switch (prefix.kind) {
            case BridgeChoice::Kind::SerialPath:
                if (rest.empty()) return refuse(error, std::string(link_texts::SERIAL_NEEDS_PATH));
                return true;
            case BridgeChoice::Kind::UsbSerial:
                if (rest.empty()) return refuse(error, std::string(link_texts::USB_NEEDS_SERIAL));
                return true;
            case BridgeChoice::Kind::Device:
                if (rest.empty() || rest.size() > 3 ||
                    rest.find_first_not_of("0123456789") != std::string_view::npos)
                    return refuse(error, std::string(link_texts::DEVICE_NUMBER_EXPECTED));
                choice.name.clear();
                choice.number = static_cast<uint32_t>(std::stoul(std::string(rest)));
                return true;
            default:
                if (!parseServer(rest, choice.name, choice.number))
                    return refuse(
                        error, std::string(prefix.text) + std::string(link_texts::SERVER_EXPECTED));
                return true;
        }
    }
    return refuse(error, std::string(link_texts::UNKNOWN_BRIDGE_BEFORE) + std::string(value) +
                             std::string(link_texts::UNKNOWN_BRIDGE_AFTER) +
                             std::string(bridgeValuesOfThisPlatform()));
}

std::string bridgeText(const BridgeChoice& choice) {
    std::string_view prefix;
    for (const Prefix& known : PREFIXES)
        if (known.kind == choice.kind) prefix = known.text;
    switch (choice.kind) {
        case BridgeChoice::Kind::Platform:
            return "";
        case BridgeChoice::Kind::Simulated:
            return std::string(SIM_VALUE);
        case BridgeChoice::Kind::Device:
            return std::string(prefix) + std::to_string(choice.number);
        case BridgeChoice::Kind::Rfc2217:
        case BridgeChoice::Kind::RawTcp:
            // An IPv6 address goes back into its brackets.
            return std::string(prefix) +
                   (choice.name.find(':') != std::string::npos ? "[" + choice.name + "]"
                                                               : choice.name) +
                   ":" + std::to_string(choice.number);
        default:
            return std::string(prefix) + choice.name;
    }
}

std::unique_ptr<UsbBridge> makeBridge(const BridgeChoice& choice, std::string& error,
                                      const OpenFailureNote& note) {
    (void)error;
    switch (choice.kind) {
        case BridgeChoice::Kind::Simulated:
            return std::make_unique<SimulatedBridge>();
        case BridgeChoice::Kind::Rfc2217:
        case BridgeChoice::Kind::RawTcp: {
            auto network = std::make_unique<NetworkBridge>(
                choice.kind == BridgeChoice::Kind::Rfc2217 ? NetworkBridge::Protocol::Rfc2217
                                                           : NetworkBridge::Protocol::RawTcp,
                choice.name, static_cast<uint16_t>(choice.number));
            network->onOpenFailure = note;
            return network;
        }
        default:
            break;
    }
    return makePlatformBridge(choice, note);
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
