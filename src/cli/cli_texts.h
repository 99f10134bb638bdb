#pragma once
// What tivractl prints of its own: the beginnings of its error lines and the words of its
// results. The help texts come from the tivractl reference of the manual (help/tivractl.html), made
// into cli/cli_reference.h at build time (tools/tivractl_reference.py), so that the help, the man
// page and the manual say the same. Messages of the configurator itself come from the core,
// printed by ConsoleOperator.

#include <string>
#include <string_view>

#include "cli/cli_reference.h"

namespace tivra::cli {

inline constexpr std::string_view TOOL_NAME = "tivractl";

inline constexpr std::string_view SEE_HELP = "Run 'tivractl --help' for the commands.";
inline constexpr std::string_view CANNOT_WRITE_OUTPUT = "cannot write to standard output";
inline constexpr std::string_view STANDARD_INPUT_TWICE =
    "standard input (-) can be read only once in a command";
inline constexpr std::string_view MISSING_FILE = "expected one FILE";

// The board commands (read, write, frame, simulate).

inline constexpr std::string_view SET_OPERANDS = "expected FILE and one or more NAME=VALUE";
inline constexpr std::string_view SET_NOT_A_NUMBER = " is not a plain decimal number";
inline constexpr std::string_view SET_GIVEN_TWICE = " is given twice";
inline constexpr std::string_view SET_NOT_HELD = " refused: ";
inline constexpr std::string_view SET_CHANGES_TOO = " would change with them: ";
inline constexpr std::string_view SET_IT_TOO = "; set it as well";
inline constexpr std::string_view SET_ASSIGNMENT_EXPECTED =
    "expected NAME=VALUE, such as 'Channel 3 Local Baudrate=9600'";

inline constexpr std::string_view BOARD_OPTION_NEEDED = "expected --board local or --board remote";

// What the newer commands print of their own.
inline constexpr std::string_view JSON_OR_OUTPUT = "--json and -o cannot be used together";
inline constexpr std::string_view MISSING_FILES = "expected one or more FILEs";
inline constexpr std::string_view DIFF_FILES_NEEDED =
    "expected two FILEs, or one FILE and --boards";
inline constexpr std::string_view BOARD_OPTIONS_NEED_BOARDS =
    "--bridge, --trace and --as-read need --boards";
inline constexpr std::string_view DIFF_ARROW = " -> ";
inline constexpr std::string_view VERIFY_WROTE = "wrote ";
inline constexpr std::string_view VERIFY_BOARDS_HOLD = ", boards hold ";
inline constexpr std::string_view VERIFIED = "Verified ";
inline constexpr std::string_view LOCAL_BOARD_NAME = "LocalBoard";
inline constexpr std::string_view REMOTE_BOARD_NAME = "RemoteBoard";
inline constexpr std::string_view PARTLY_WRITTEN = "partly written: ";
inline constexpr std::string_view BOARD_HOLDS_NEW = " holds the new configuration";
inline constexpr std::string_view BOARD_HOLDS_EARLIER = " still holds its earlier one";
inline constexpr std::string_view BOARD_REFUSED =
    " refused the new configuration and still holds its earlier one";
inline constexpr std::string_view BOARD_MAY_HOLD_EITHER =
    " did not confirm the new configuration and may hold either";
inline constexpr std::string_view INTERRUPTED = "interrupted by ";
inline constexpr std::string_view INTERRUPTED_WRITTEN =
    " after both boards took the new configuration";
inline constexpr std::string_view NOT_VERIFIED = " (not verified)";
inline constexpr std::string_view INTERRUPTED_BEFORE = " before anything was sent";
// Said when a signal ends tivractl at once, after INTERRUPTED and its name.
inline constexpr std::string_view INTERRUPTED_VERIFYING =
    " while reading back; both boards hold the new configuration, not verified";
inline constexpr std::string_view INTERRUPTED_READING = "; nothing was read";
inline constexpr std::string_view NOT_VERIFIED_DISAGREE =
    "Not verified: the boards' tables disagree with each other (the Alert above) for ";
inline constexpr std::string_view STORED_RATE_EXPECTED =
    "--remote-stores-rate needs PORT:RATE, PORT 1 to 8 and RATE in bit/s";
inline constexpr std::string_view ANSWER_DELAY_EXPECTED =
    "--answer-after needs a number of milliseconds, 0 to 60000";
inline constexpr std::string_view NO_PORTS = "No serial ports found.";
inline constexpr std::string_view NOT_USB = "(not a USB port)";
inline constexpr std::string_view NO_DESCRIPTION = "(no product description)";
inline constexpr std::string_view LOCAL_BOARD_MARK = "<- LocalBoard";
inline constexpr std::string_view SERIAL_NUMBER_BEFORE = "serial number ";
inline constexpr std::string_view NOT_A_BOARD_PORT = " is not one of the boards' ports 1 to 8";
inline constexpr std::string_view BRIDGE_VARIABLE_NAME = "TIVRA_BRIDGE";
inline constexpr std::string_view BRIDGE_OPTION_EMPTY =
    "option --bridge needs a bridge, such as sim";

// Files that are no configuration, and files with warnings.
inline constexpr std::string_view STANDARD_INPUT_NAME = "standard input";
inline constexpr std::string_view NO_CHANNEL_GROUP =
    ": holds no channel group; not a configuration file";
inline std::string warningsRefused(bool sending, size_t count) {
    const std::string warnings = std::to_string(count) + (count == 1 ? " warning" : " warnings");
    return ": " + warnings +
           (sending ? "; nothing is sent (--accept-warnings sends it anyway)"
                    : "; refused (--strict)");
}

}  // namespace tivra::cli
