#pragma once
// What tivractl prints of its own: the help texts and the beginnings of its error lines.
// Messages of the configurator itself come from the core, printed by ConsoleOperator.

#include <string>
#include <string_view>

namespace tivra::cli {

inline constexpr std::string_view TOOL_NAME = "tivractl";

inline constexpr std::string_view TOOL_HELP_HEAD =
    "Usage: tivractl COMMAND [ARGUMENTS]\n"
    "       tivractl --help | --version\n"
    "\n"
    "The command-line companion of the Quorvantel Ostrel RK-2 configurator: it works on the same\n"
    "configuration files (.smc) by the same rules as the window.\n"
    "\n"
    "Commands:\n";
inline constexpr std::string_view TOOL_HELP_TAIL =
    "\n"
    "Run 'tivractl COMMAND --help' for the arguments of a command.\n"
    "A FILE of '-' is standard input (read until its writer closes it), an OUT of '-' standard\n"
    "output. A FIFO, /dev/stdin or a process substitution must end within 5 seconds; no FILE may\n"
    "exceed 256 KiB. A FILE without a [Channel 1] to [Channel 8] group is no configuration: every\n"
    "command but check refuses it. Text from files and devices is printed with its control\n"
    "characters shown as \\xHH.\n"
    "Messages the configurator would show in a box are printed as TITLE: TEXT on standard error.\n"
    "Exit status: 0 success, 1 the configuration has a problem or a board exchange failed (diff:\n"
    "the two differ), 2 a file, the command line or the environment could not be used, 3 the "
    "boards\n"
    "hold something other than was written (write --verify), 4 both boards were written but could\n"
    "not be read back (write --verify). Output into a closed pipe ends tivractl by SIGPIPE "
    "(status\n"
    "141 in the shell), as other filters end.\n";

inline constexpr std::string_view CHECK_SUMMARY = "check configuration files as Save would";
inline constexpr std::string_view CHECK_HELP =
    "Usage: tivractl check FILE... [--strict] [--json]\n"
    "\n"
    "Reads each FILE as Open does in a configurator just started (missing keys take their\n"
    "default values), then checks it as Save does. Prints nothing when it is valid; otherwise\n"
    "prints the message the configurator would show, as TITLE: TEXT, on standard error, e.g.\n"
    "    Invalid Port: Check Channel 1 Ports\n"
    "With several files, each message line begins with its file's name and \": \".\n"
    "\n"
    "It also warns, on standard error, as FILE:LINE: warning: TEXT, about every line that the\n"
    "reader passes over or that reads as something other than it says: groups other than\n"
    "[Channel 1] to [Channel 8] and groups given again, entries before the first group, unknown\n"
    "keys (with the nearest known key), a key given again in one group (the first is read),\n"
    "values that are not numbers or do not fit their field, and lines that are no comment,\n"
    "group or \"key = value\" entry. The reading itself is not changed by any of this.\n"
    "\n"
    "Options:\n"
    "  --strict  a file with warnings counts as not valid\n"
    "  --json    also print the result on standard output as\n"
    "            {\"files\": [{\"file\", \"verdict\": \"valid\"|\"invalid\"|\"unusable\",\n"
    "            \"messages\": [{\"title\", \"text\"}], \"warnings\": [{\"line\", \"text\"}]}]}\n"
    "            (and \"error\" for a file that cannot be read)\n"
    "\n"
    "Exit status, the worst of all files: 0 valid, 1 not valid (or, with --strict, warned\n"
    "about), 2 a FILE cannot be read or wrong arguments.\n";

inline constexpr std::string_view FORMAT_SUMMARY =
    "write a configuration file exactly as Save would write it";
inline constexpr std::string_view FORMAT_HELP =
    "Usage: tivractl format FILE [-o OUT] [--strict]\n"
    "       tivractl format --from-json JSON [-o OUT]\n"
    "\n"
    "Checks FILE as 'tivractl check' does, then writes byte for byte what the configurator's Save\n"
    "would write: the checked and completed configuration, baud rates snapped to 921600 / n, in\n"
    "the fixed layout with CR LF line ends. Nothing is written when the check fails. The reader's\n"
    "warnings about FILE are printed on standard error as check prints them.\n"
    "\n"
    "Options:\n"
    "  -o, --output OUT  write to OUT instead of standard output ('-' is standard output);\n"
    "                    OUT may be FILE itself. An existing file is replaced only once the new\n"
    "                    one is complete; a FIFO or a device is written into.\n"
    "  --strict          a FILE with warnings is refused (status 1)\n"
    "  --from-json       JSON ('-': standard input) is the configuration as 'tivractl show\n"
    "                    --json' prints it: {\"format\": 1, \"channels\": [8 channels with all "
    "ten\n"
    "                    members]}. A member missing or unknown, or a number that does not fit "
    "its\n"
    "                    field, is refused with the member's place, e.g. channels[2].localPort.\n"
    "\n"
    "Exit status: 0 written, 1 not valid (or warnings with --strict), 2 FILE cannot be read or is "
    "no\n"
    "configuration, OUT cannot be written or wrong arguments.\n";

inline constexpr std::string_view SHOW_SUMMARY = "print the eight channels of a configuration file";
inline constexpr std::string_view SHOW_HELP =
    "Usage: tivractl show FILE [--json] [--strict]\n"
    "\n"
    "Reads FILE as Open does in a configurator just started (missing keys take their defaults) and\n"
    "prints its eight channels as a table, without checking them. List entries show as their\n"
    "texts (\"QV Sonar\", port \"3\", mode \"485\"); a list with nothing chosen shows \"-\" and a\n"
    "position outside its list \"?(N)\". The reader's warnings go to standard error.\n"
    "\n"
    "Options:\n"
    "  --json    print {\"format\": 1, \"channels\": [{\"channel\": 1, \"enabled\", "
    "\"sensorType\",\n"
    "            \"localPort\", \"localBaudrate\", \"localMode\", \"remotePort\", "
    "\"remoteBaudrate\",\n"
    "            \"remoteMode\", \"priority\", \"chunksize\"}, ...]} instead: every number exactly "
    "as\n"
    "            the file stores it (list positions from 0, so port \"1\" is 0; nothing chosen\n"
    "            is -1). 'tivractl format --from-json' turns it back into a file.\n"
    "  --strict  a FILE with warnings is refused (status 1)\n"
    "\n"
    "Exit status: 0 shown, 1 warnings with --strict, 2 FILE cannot be read or is no "
    "configuration,\n"
    "or wrong arguments.\n";

inline constexpr std::string_view DIFF_SUMMARY =
    "compare two configuration files, or a file and the boards";
inline constexpr std::string_view DIFF_HELP =
    "Usage: tivractl diff A B [--json] [--strict]\n"
    "       tivractl diff FILE --boards [--as-read] [--json] [--bridge sim|serial:PATH] [--trace]\n"
    "\n"
    "Reads A and B as Open does in a configurator just started (missing keys: their defaults) and\n"
    "prints one line for each field that differs, by channel and then in the file's key order:\n"
    "    Channel 4 Remote Baudrate: 9600 -> 19200\n"
    "with the values as a file stores them. With --boards, B is what the two boards hold, read as\n"
    "'tivractl read' reads it, and FILE is what writing it would send: checked and completed as\n"
    "'tivractl write' checks it (a FILE the check refuses is reported with the check's message).\n"
    "Right after 'tivractl write FILE --verify', 'tivractl diff FILE --boards' finds nothing.\n"
    "The configurator's messages and the reader's warnings go to standard error.\n"
    "\n"
    "Options:\n"
    "  --boards        compare FILE with the boards\n"
    "  --as-read       compare FILE as read, not as the check completes it\n"
    "  --json          print {\"format\": 1, \"differences\": [{\"channel\", \"key\", \"first\",\n"
    "                  \"second\"}]} (\"file\" and \"boards\" with --boards) instead\n"
    "  --strict        a file with warnings is refused (status 1)\n"
    "  --bridge WHICH  as for 'tivractl read'\n"
    "  --trace         as for 'tivractl read'\n"
    "\n"
    "Exit status: 0 the same, 1 they differ (or FILE fails the check, or warnings with --strict),\n"
    "2 a file or the boards cannot be read, or wrong arguments.\n";

inline constexpr std::string_view SEE_HELP = "Run 'tivractl --help' for the commands.";
inline constexpr std::string_view CANNOT_WRITE_OUTPUT = "cannot write to standard output";
inline constexpr std::string_view STANDARD_INPUT_TWICE =
    "standard input (-) can be read only once in a command";
inline constexpr std::string_view MISSING_FILE = "expected one FILE";

// The board commands (read, write, frame, simulate).

inline constexpr std::string_view READ_SUMMARY = "read the configuration held by the two boards";
inline constexpr std::string_view READ_HELP =
    "Usage: tivractl read [-o FILE | --json] [--bridge sim|serial:PATH] [--trace]\n"
    "\n"
    "Does what the configurator's Read Configuration button does: reads the LocalBoard, then the\n"
    "RemoteBoard, and rebuilds the configuration from what they sent. Every message the\n"
    "configurator would show is printed as TITLE: TEXT on standard error. When both reads\n"
    "succeeded, the configuration is printed as 'tivractl show' prints it, or checked and saved\n"
    "to FILE as Save would check and save it.\n"
    "\n"
    "Options:\n"
    "  -o, --output FILE  check the configuration as Save would and write it to FILE ('-':\n"
    "                     standard output) as Save would; nothing is written when the check fails\n"
    "  --json             print it as JSON, as 'tivractl show --json' does\n"
    "  --bridge WHICH     the bridge to talk through, as the TIVRA_BRIDGE variable chooses it:\n"
    "                     'sim' (the built-in simulated boards) or 'serial:PATH' (exactly that\n"
    "                     serial device); without either, the USB bridge of the platform\n"
    "  --trace            print every call to the bridge library on standard error, as\n"
    "                     'bridge: write(00 05 55 AA 00)'\n"
    "\n"
    "Exit status: 0 both boards read, 1 a read or the check failed, 2 wrong arguments, no such\n"
    "bridge or FILE cannot be written.\n";

inline constexpr std::string_view WRITE_SUMMARY = "write a configuration file to the two boards";
inline constexpr std::string_view WRITE_HELP =
    "Usage: tivractl write FILE [--verify [--json]] [--accept-warnings]\n"
    "                      [--bridge sim|serial:PATH] [--trace]\n"
    "\n"
    "Opens FILE as the configurator's Open does, then does what its Write Configuration button\n"
    "does: checks the configuration and writes the LocalBoard, then checks it again and writes\n"
    "the RemoteBoard. Every message the configurator would show is printed as TITLE: TEXT on\n"
    "standard error. Nothing is sent for a FILE that is no configuration (no [Channel N] group)\n"
    "or that the reader warns about (as 'tivractl check' warns: an unknown key such as\n"
    "\"Enabeld\" would otherwise write its default), unless --accept-warnings is given.\n"
    "\n"
    "Options:\n"
    "  --verify           once both writes succeeded, read both boards back as 'tivractl read'\n"
    "                     does and compare what they hold with what was written (FILE as the\n"
    "                     check completed it). Prints \"Verified FILE\" when all is the same,\n"
    "                     otherwise one line per field, in the file's words, for example\n"
    "                         Channel 4 Remote Baudrate: wrote 9600, boards hold 19200\n"
    "                     Boards whose tables disagree with each other (the read-back\n"
    "                     shows \"Configuration problem - reconfigure system\") are not\n"
    "                     verified either, whatever their rows show.\n"
    "  --json             with --verify: print {\"format\": 1, \"file\", \"verified\": "
    "true|false,\n"
    "                     \"differences\": [{\"channel\", \"key\", \"wrote\", \"boardsHold\"}]} "
    "instead\n"
    "  --accept-warnings  write a FILE although the reader warns about it\n"
    "  --bridge WHICH     as for 'tivractl read'\n"
    "  --trace            as for 'tivractl read'\n"
    "\n"
    "Exit status: 0 both boards written (and verified), 1 warnings, the check or a write failed,\n"
    "2 FILE cannot be read or is no configuration, wrong arguments or no such bridge, 3 the "
    "boards\n"
    "hold something other than was written, 4 both boards were written but could not be read "
    "back.\n";

inline constexpr std::string_view FRAME_SUMMARY = "print the bytes a board write would send";
inline constexpr std::string_view FRAME_HELP =
    "Usage: tivractl frame FILE --board local|remote [--strict]\n"
    "\n"
    "Opens FILE as the configurator's Open does, checks it as Write Configuration does, and\n"
    "prints the write frame for the chosen board as it would go over the wire (escape bytes\n"
    "included), as hexadecimal byte pairs on one line. Nothing is sent. The reader's warnings go\n"
    "to standard error; with --strict a FILE with warnings is refused.\n"
    "\n"
    "Exit status: 0 printed, 1 the check failed (or warnings with --strict), 2 FILE cannot be "
    "read\n"
    "or is no configuration, or wrong arguments.\n";

inline constexpr std::string_view SIMULATE_SUMMARY = "serve simulated boards on a pseudo-terminal";
inline constexpr std::string_view SIMULATE_HELP =
    "Usage: tivractl simulate [--from FILE] [--remote-stores-rate PORT:RATE]...\n"
    "\n"
    "Runs the simulated LocalBoard and RemoteBoard behind a pseudo-terminal, prints its device\n"
    "path on standard output and answers requests at the pace of a 57600 baud line until\n"
    "interrupted (Ctrl-C or SIGTERM). Talk to it with\n"
    "    TIVRA_BRIDGE=serial:PATH tivractl read\n"
    "or the configurator started with the same variable. Each request is logged on standard\n"
    "error. The boards start with every channel switched off, channel n joining port n to\n"
    "port n.\n"
    "\n"
    "Options:\n"
    "  --from FILE  the boards start holding FILE's configuration (as Open reads it); a FILE\n"
    "               they cannot hold (a channel without a port 1 to 8 on a board, two channels\n"
    "               on one port) is refused with the reason for each channel\n"
    "  --remote-stores-rate PORT:RATE\n"
    "               a faulty RemoteBoard: it acknowledges every write, but its port PORT\n"
    "               (1 to 8) then holds RATE bit/s whatever was written there; give it once\n"
    "               for each port\n"
    "\n"
    "Exit status: 0 after an interrupt, 2 FILE cannot be read or held, its path cannot be "
    "printed,\n"
    "wrong arguments, or no pseudo-terminals on this platform.\n";

inline constexpr std::string_view PORTS_SUMMARY = "list the serial ports, marking the LocalBoard's";
inline constexpr std::string_view PORTS_HELP =
    "Usage: tivractl ports [--json] [--bridge sim|serial:PATH]\n"
    "\n"
    "Lists every serial port of this machine with its USB product description, and marks with\n"
    "\"<- LocalBoard\" the one that the configurator's discovery would open: the first USB port\n"
    "whose description is exactly \"Quorvantel Ostrel\". Ports that are not USB ports are listed\n"
    "as such; they are never taken. On Windows the list holds the devices of the bridge library\n"
    "(\"device 0\", ...), as discovery sees them. When there is nothing, it says so.\n"
    "\n"
    "Options:\n"
    "  --json          print {\"format\": 1, \"ports\": [{\"name\", \"usb\", \"description\",\n"
    "                  \"localBoard\"}]} instead\n"
    "  --bridge WHICH  list the devices of that bridge instead, as for 'tivractl read'; a\n"
    "                  serial:PATH that does not open as a serial line is an error\n"
    "\n"
    "Exit status: 0 listed, 2 wrong arguments, or a serial:PATH that is no serial line.\n";

inline constexpr std::string_view SET_SUMMARY =
    "make a variant of a configuration file, field by field";
inline constexpr std::string_view SET_HELP =
    "Usage: tivractl set FILE 'NAME=VALUE'... [-o OUT] [--strict]\n"
    "\n"
    "Opens FILE as the configurator's Open does, sets each field NAME to VALUE, then checks and\n"
    "writes the result as Save would ('tivractl format' of a file holding those values). NAME is\n"
    "a field as 'tivractl diff' names it, VALUE a number as the file stores it (list positions\n"
    "from 0, as 'tivractl show --json' prints them):\n"
    "    tivractl set unit.smc 'Channel 3 Local Baudrate=9600' 'Channel 3 Enabled=1' -o unit3.smc\n"
    "An unknown NAME is refused with the nearest field; a VALUE that is not a number or does not\n"
    "fit the field is refused as 'tivractl check' would warn about it. Nothing is written then, "
    "nor\n"
    "when the check fails.\n"
    "\n"
    "Options:\n"
    "  -o, --output OUT  write to OUT instead of standard output, as 'tivractl format' does\n"
    "  --strict          a FILE with warnings is refused (status 1)\n"
    "\n"
    "Exit status: 0 written, 1 not valid (or warnings with --strict), 2 FILE cannot be read or is "
    "no\n"
    "configuration, a NAME or VALUE is refused, OUT cannot be written or wrong arguments.\n";
inline constexpr std::string_view SET_OPERANDS = "expected FILE and one or more NAME=VALUE";
inline constexpr std::string_view SET_ASSIGNMENT_EXPECTED =
    "expected NAME=VALUE, such as 'Channel 3 Local Baudrate=9600'";

inline constexpr std::string_view BOARD_OPTION_NEEDED = "expected --board local or --board remote";
inline constexpr std::string_view SIMULATE_UNAVAILABLE = "not available on this platform";

// What the newer commands print of their own.
inline constexpr std::string_view JSON_OR_OUTPUT = "--json and -o cannot be used together";
inline constexpr std::string_view MISSING_FILES = "expected one or more FILEs";
inline constexpr std::string_view DIFF_FILES_NEEDED =
    "expected two FILEs, or one FILE and --boards";
inline constexpr std::string_view BOARD_OPTIONS_NEED_BOARDS =
    "--bridge, --trace and --as-read need --boards";
inline constexpr std::string_view CHANNEL_WORD = "Channel ";
inline constexpr std::string_view DIFF_ARROW = " -> ";
inline constexpr std::string_view VERIFY_WROTE = "wrote ";
inline constexpr std::string_view VERIFY_BOARDS_HOLD = ", boards hold ";
inline constexpr std::string_view VERIFIED = "Verified ";
inline constexpr std::string_view NOT_VERIFIED_DISAGREE =
    "Not verified: the boards' tables disagree with each other (the Alert above) for ";
inline constexpr std::string_view STORED_RATE_EXPECTED =
    "--remote-stores-rate needs PORT:RATE, PORT 1 to 8 and RATE in bit/s";
inline constexpr std::string_view NO_PORTS = "No serial ports found.";
inline constexpr std::string_view NOT_USB = "(not a USB port)";
inline constexpr std::string_view NO_DESCRIPTION = "(no product description)";
inline constexpr std::string_view LOCAL_BOARD_MARK = "<- LocalBoard";
inline constexpr std::string_view NOT_A_BOARD_PORT = " is not one of the boards' ports 1 to 8";
inline constexpr std::string_view BRIDGE_VARIABLE_NAME = "TIVRA_BRIDGE";

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
