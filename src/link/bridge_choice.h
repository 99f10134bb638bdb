#pragma once
// Which UsbBridge the program talks through, chosen by TIVRA_BRIDGE (or tivractl --bridge):
//   unset or empty  the platform's real bridge: the bridge library on Windows, the USB serial
//                   ports (libserialport) elsewhere
//   "sim"           the simulated board pair, in process
//   "serial:PATH"   exactly that serial device, taken to be the LocalBoard (not on Windows)
// Any other value is refused with an explanation.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "link/usb_bridge.h"

namespace tivra {

struct BridgeChoice {
    enum class Kind { Platform, Simulated, SerialPath };
    Kind kind = Kind::Platform;
    std::string path;  // SerialPath only
};

// Parses a TIVRA_BRIDGE value. On a refused value returns false and sets error.
bool parseBridgeChoice(std::string_view value, BridgeChoice& choice, std::string& error);

// Told why a device named with serial:PATH could not be opened: "PATH: in use by another program".
// Discovery shows only its own message for a failed open; a command line can say more.
using OpenFailureNote = std::function<void(const std::string& why)>;

// Builds the chosen bridge; nullptr with error set when it is not available here.
std::unique_ptr<UsbBridge> makeBridge(const BridgeChoice& choice, std::string& error,
                                      const OpenFailureNote& note = {});

// The choice that the TIVRA_BRIDGE environment variable makes; false with error set when the
// value is refused.
bool bridgeChoiceFromEnvironment(BridgeChoice& choice, std::string& error);
// The bridge named by the TIVRA_BRIDGE environment variable; nullptr with error set when the
// value is refused.
std::unique_ptr<UsbBridge> makeBridgeFromEnvironment(std::string& error,
                                                     const OpenFailureNote& note = {});

#ifdef _WIN32
// The bridge library loaded at run time and bound by ordinal (link/bridges/siusbxp.cpp). A
// missing library reads as no device attached; note is told why it could not be used.
std::unique_ptr<UsbBridge> makeSiUsbXpBridge(const OpenFailureNote& note = {});
#endif

}  // namespace tivra
