#pragma once
// Every text the board link shows to the operator, and the bridge chooser's errors.

#include <string_view>

namespace tivra::link_texts {

// Titles. "USB Fault " ends in a blank on purpose: it is the title the operators know.
inline constexpr std::string_view NO_BOARD_TITLE = "No Local Board Found";
inline constexpr std::string_view USB_FAULT_TITLE = "USB Fault ";
inline constexpr std::string_view FAILURE_TITLE = "Failure";
inline constexpr std::string_view SUCCESS_TITLE = "Success";

// Discovery.
inline constexpr std::string_view NO_BOARD_TEXT = "Check USB cable and retry";
inline constexpr std::string_view CHECK_CABLES_TEXT = "Please Check Cables";
inline constexpr std::string_view NOT_LOCATED_TEXT = "Unable to locate Ostrel";

// Exchanges.
inline constexpr std::string_view WRITE_DATA_FAILED_TEXT = "Failed to write data";
inline constexpr std::string_view READ_CONFIG_FAILED_TEXT = "Failed to read configuration data";
inline constexpr std::string_view WRITE_CONFIG_FAILED_TEXT = "Failed to write configuration data";
inline constexpr std::string_view LOCAL_READ_TEXT = "Local configuration data read";
inline constexpr std::string_view REMOTE_READ_TEXT = "Remote configuration data read";
inline constexpr std::string_view LOCAL_WRITTEN_TEXT = "Local configuration data written";
inline constexpr std::string_view REMOTE_WRITTEN_TEXT = "Remote configuration data written";

// The product description that identifies the LocalBoard's bridge (exact, case-sensitive).
inline constexpr std::string_view BOARD_PRODUCT_DESCRIPTION = "Quorvantel Ostrel";

// How tivractl ports names a device of the bridge library: this, then its index.
inline constexpr std::string_view DEVICE_NAME_PREFIX = "device ";

// Choosing a bridge (shown by tivractl and the window, not part of the board dialogue).
inline constexpr std::string_view BRIDGE_VARIABLE = "TIVRA_BRIDGE";
// The unknown value is put between the two pieces, the values of the platform after them.
inline constexpr std::string_view UNKNOWN_BRIDGE_BEFORE = "unknown bridge \"";
inline constexpr std::string_view UNKNOWN_BRIDGE_AFTER = "\": use ";
inline constexpr std::string_view POSIX_BRIDGE_VALUES =
    "\"sim\", \"serial:PATH\", \"usb:SERIAL\", \"rfc2217://HOST:PORT\" or \"tcp://HOST:PORT\", or "
    "leave TIVRA_BRIDGE unset";
inline constexpr std::string_view WINDOWS_BRIDGE_VALUES =
    "\"sim\", \"device:N\", \"rfc2217://HOST:PORT\" or \"tcp://HOST:PORT\", or leave "
    "TIVRA_BRIDGE unset";
// After a value's kind ("serial:"), then the values of the platform.
inline constexpr std::string_view NOT_HERE = " is not available on this platform: use ";
inline constexpr std::string_view SERIAL_NEEDS_PATH =
    "serial: needs a device path, e.g. serial:/dev/ttyUSB0";
inline constexpr std::string_view USB_NEEDS_SERIAL =
    "usb: needs a USB serial number, as tivractl ports lists it";
inline constexpr std::string_view DEVICE_NUMBER_EXPECTED =
    "device: needs the number of a device of the bridge library, as tivractl ports lists it "
    "(device:0)";
// After "rfc2217://" or "tcp://".
inline constexpr std::string_view SERVER_EXPECTED =
    " needs HOST:PORT, the port 1 to 65535 (an IPv6 address in brackets: [::1]:2001)";
// The serial number follows, in quotes.
inline constexpr std::string_view NO_PORT_WITH_SERIAL = "no USB serial port has the serial number ";
// Why a serial device server cannot be reached, after its HOST:PORT.
inline constexpr std::string_view UNKNOWN_HOST = "unknown host";
inline constexpr std::string_view NO_ANSWER = "no answer within 5 seconds";
inline constexpr std::string_view CONNECTION_REFUSED = "connection refused";
inline constexpr std::string_view UNREACHABLE = "no route to the server";
inline constexpr std::string_view LOOKUP_FAILED = "its name could not be looked up";
inline constexpr std::string_view NOT_TELNET =
    "it answers no telnet option, so it is no RFC 2217 server (for a raw TCP server use "
    "tcp://HOST:PORT)";
inline constexpr std::string_view CONNECTION_LOST = "the connection was lost";
// After CONNECTION_LOST, before the text the server sent last.
inline constexpr std::string_view SERVER_SAID = "; the server said: ";
// Why a named serial device could not be opened, after its path (besides the system's reasons).
inline constexpr std::string_view DEVICE_IN_USE_TEXT = "in use by another program";
inline constexpr std::string_view NOT_A_SERIAL_LINE_TEXT = "not a serial line";

// Why the bridge library of Windows could not be used (tivractl says it; the window keeps its
// "No Local Board Found"). The places it was looked for come after the first text.
inline constexpr std::string_view LIBRARY_NOT_LOADED =
    "the bridge library \"SiUSBXp.dll\" could not be loaded from ";
inline constexpr std::string_view LIBRARY_INCOMPLETE =
    "the bridge library \"SiUSBXp.dll\" lacks operations the board link needs: ";
inline constexpr std::string_view OR_WORD = "or";
inline constexpr std::string_view LIBRARY_NOT_FOUND = "not found";
inline constexpr std::string_view LIBRARY_NOT_64_BIT = "not a 64-bit library";
inline constexpr std::string_view LIBRARY_ERROR = "Windows error ";
inline constexpr std::string_view LIBRARY_NEEDED =
    "; it must be the 64-bit \"SiUSBXp.dll\" of the bridge's driver";
}  // namespace tivra::link_texts
