#pragma once
// How the program reaches the boards: the UsbBridge that TIVRA_BRIDGE (or tivractl --bridge)
// names. It sits above the board link and the simulated boards, and knows both.
//   unset or empty        the platform's real bridge: the bridge library on Windows, the USB
//                         serial ports (libserialport) elsewhere
//   "sim"                 the simulated board pair, in process
//   "serial:PATH"         exactly that serial device, taken to be the LocalBoard (POSIX)
//   "usb:SERIAL"          the USB serial port whose USB serial number is SERIAL (POSIX)
//   "device:N"            device N of the bridge library, from 0 (Windows)
//   "rfc2217://HOST:PORT" a LocalBoard behind a serial device server: telnet with the COM port
//                         option of RFC 2217
//   "tcp://HOST:PORT"     the same over a raw TCP connection, the line set on the server
// Any other value is refused with the values this platform takes.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "link/usb_bridge.h"

namespace tivra {

struct BridgeChoice {
    enum class Kind { Platform, Simulated, SerialPath, UsbSerial, Device, Rfc2217, RawTcp };
    Kind kind = Kind::Platform;
    std::string name;    // SerialPath: the path; UsbSerial: the serial number; network: the host
    uint32_t number = 0;  // Device: its index; network: the port
};

// Parses a TIVRA_BRIDGE value. On a refused value returns false and sets error.
bool parseBridgeChoice(std::string_view value, BridgeChoice& choice, std::string& error);

// The choice as a value of TIVRA_BRIDGE, e.g. "rfc2217://[::1]:2001", "device:2".
std::string bridgeText(const BridgeChoice& choice);

// Builds the chosen bridge; nullptr with error set when it is not available here. note is told
// why a named device or server cannot be reached, when the bridge finds out.
std::unique_ptr<UsbBridge> makeBridge(const BridgeChoice& choice, std::string& error,
                                      const OpenFailureNote& note = {});

// The choice that the TIVRA_BRIDGE environment variable makes; false with error set when the
// value is refused.
bool bridgeChoiceFromEnvironment(BridgeChoice& choice, std::string& error);
// The bridge named by the TIVRA_BRIDGE environment variable; nullptr with error set when the
// value is refused.
std::unique_ptr<UsbBridge> makeBridgeFromEnvironment(std::string& error,
                                                     const OpenFailureNote& note = {});

// The platform's halves (bridge_choice_posix.cpp, bridge_choice_windows.cpp): whether a kind is
// taken here, the values this platform takes (for the refusal), and its own bridges.
bool takenOnThisPlatform(BridgeChoice::Kind kind);
std::string_view bridgeValuesOfThisPlatform();
std::unique_ptr<UsbBridge> makePlatformBridge(const BridgeChoice& choice,
                                              const OpenFailureNote& note);

}  // namespace tivra
