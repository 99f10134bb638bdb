#pragma once
// What tivractl prints of its own: the help texts and the beginnings of its error lines.
// Messages of the configurator itself come from the core, printed by ConsoleOperator.

#include <string_view>

namespace tivra::cli {

inline constexpr std::string_view TOOL_NAME = "tivractl";

inline constexpr std::string_view TOOL_HELP_HEAD =
    "Usage: tivractl COMMAND [ARGUMENTS]\n"
    "\n"
    "The command-line companion of the Quorvantel Ostrel RK-2 configurator: it works on the same\n"
    "configuration files (.smc) by the same rules as the window.\n"
    "\n"
    "Commands:\n";
inline constexpr std::string_view TOOL_HELP_TAIL =
    "\n"
    "Run 'tivractl COMMAND --help' for the arguments of a command.\n"
    "Messages the configurator would show in a box are printed as TITLE: TEXT on standard error.\n"
    "Exit status: 0 success, 1 the configuration has a problem, 2 a file or the command line\n"
    "could not be used.\n";

inline constexpr std::string_view CHECK_SUMMARY = "check a configuration file as Save would";
inline constexpr std::string_view CHECK_HELP =
    "Usage: tivractl check FILE\n"
    "\n"
    "Reads FILE as the configurator's Open does (missing keys take their default values), then\n"
    "checks it as Save does. Prints nothing when it is valid; otherwise prints the message the\n"
    "configurator would show, as TITLE: TEXT, on standard error, for example\n"
    "    Invalid Port: Check Channel 1 Ports\n"
    "\n"
    "Exit status: 0 valid, 1 not valid, 2 FILE cannot be read or wrong arguments.\n";

inline constexpr std::string_view FORMAT_SUMMARY =
    "write a configuration file exactly as Save would write it";
inline constexpr std::string_view FORMAT_HELP =
    "Usage: tivractl format FILE [-o OUT]\n"
    "\n"
    "Checks FILE as 'tivractl check' does, then writes byte for byte what the configurator's Save\n"
    "would write: the checked and completed configuration, baud rates snapped to 921600 / n, in\n"
    "the fixed layout with CR LF line ends. Nothing is written when the check fails.\n"
    "\n"
    "Options:\n"
    "  -o, --output OUT  write to the file OUT (which may be FILE itself) instead of standard\n"
    "                    output; an existing OUT is replaced only once the new one is complete\n"
    "\n"
    "Exit status: 0 written, 1 not valid, 2 FILE cannot be read, OUT cannot be written or wrong\n"
    "arguments.\n";

inline constexpr std::string_view SHOW_SUMMARY = "print the eight channels of a configuration file";
inline constexpr std::string_view SHOW_HELP =
    "Usage: tivractl show FILE\n"
    "\n"
    "Reads FILE as the configurator's Open does (missing keys take their default values) and\n"
    "prints its eight channels as a table, without checking them. List entries show as their\n"
    "texts (\"QV Sonar\", port \"3\", mode \"485\"); a list with nothing chosen shows \"-\" and a\n"
    "position outside its list \"?(N)\".\n"
    "\n"
    "Exit status: 0 shown, 2 FILE cannot be read or wrong arguments.\n";

inline constexpr std::string_view SEE_HELP = "Run 'tivractl --help' for the commands.";
inline constexpr std::string_view MISSING_FILE = "expected one FILE";

}  // namespace tivra::cli
