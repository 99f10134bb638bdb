#pragma once
// Every text the file commands show to the operator, and the fixed texts of a saved file.

#include <string>
#include <string_view>

namespace tivra {

inline constexpr std::string_view OPEN_DIALOG_TITLE = "Choose configuration to open";
inline constexpr std::string_view SAVE_DIALOG_TITLE = "Choose configuration to save";
inline constexpr std::string_view CONFIGURATION_FILE_FILTER =
    "Serial multiplexer configuration files (*.smc)|*.smc|All files (*.*)|*.*";

inline constexpr std::string_view READ_ERROR_TITLE = "Read Error";
inline constexpr std::string_view READ_ERROR_TEXT = "Load Default Values?";

inline constexpr std::string_view FILE_ALERT_TITLE = "Alert";
inline constexpr std::string_view NO_NAMED_CONFIGURATION_TEXT =
    "No named configuration loaded (use save as first...)";
inline constexpr std::string_view CANNOT_SAVE_TEXT = "Cannot save configuration!";

// Why a file could not be read or written, for people (tivractl prints them; the window's boxes
// stay as above). Each is followed by a number and its unit.
inline constexpr std::string_view TOO_LARGE_REASON = "too large for a configuration file (over ";
inline constexpr std::string_view NO_END_REASON = "its data did not end within ";
inline constexpr std::string_view NO_READER_REASON = "nothing opened it for reading within ";

// The title after Open or Save As: the start-up title, four blanks, then the path.
inline constexpr std::string_view WINDOW_TITLE_WITH_PATH = "Quorvantel Ostrel RK-2    ";

// The contents of a saved file.
inline constexpr std::string_view FILE_HEADER_COMMENT = "Serial Multiplexer Configuration File";
inline constexpr std::string_view CHANNEL_GROUP_PREFIX = "Channel ";

inline constexpr std::string_view KEY_ENABLED = "Enabled";
inline constexpr std::string_view KEY_SENSOR_TYPE = "Sensor Type";
inline constexpr std::string_view KEY_LOCAL_PORT = "Local Port";
inline constexpr std::string_view KEY_LOCAL_BAUDRATE = "Local Baudrate";
inline constexpr std::string_view KEY_LOCAL_MODE = "Local Mode";
inline constexpr std::string_view KEY_REMOTE_PORT = "Remote Port";
inline constexpr std::string_view KEY_REMOTE_BAUDRATE = "Remote Baudrate";
inline constexpr std::string_view KEY_REMOTE_MODE = "Remote Mode";
inline constexpr std::string_view KEY_PRIORITY = "Priority";
inline constexpr std::string_view KEY_CHUNKSIZE = "Chunksize";

// Warnings about the lines of a configuration file (tivractl check). Names and values are quoted
// as the file spells them.
namespace lint_texts {
inline std::string quoted(std::string_view text) {
    std::string quoted = "\"";
    return quoted.append(text).append("\"");
}
inline std::string unknownGroup(std::string_view name) {
    return "unknown group " + quoted(name) + ", its lines are not read";
}
inline std::string groupAgain(std::string_view name, size_t firstLine) {
    return "group " + quoted(name) + " again (first on line " + std::to_string(firstLine) +
           "), its lines are not read";
}
inline std::string unclosedGroup(std::string_view name) {
    return "group " + quoted(name) + " has no \"]\", the rest of the line is its name";
}
inline std::string textAfterGroup(std::string_view name, std::string_view text) {
    return "text after group " + quoted(name) + " is not read: " + quoted(text);
}
inline std::string outsideGroups(std::string_view key) {
    return "entry " + quoted(key) + " before any group is not read";
}
inline std::string unknownKey(std::string_view key, std::string_view nearest) {
    return "unknown key " + quoted(key) + " is not read (did you mean " + quoted(nearest) + "?)";
}
inline std::string keyAgain(std::string_view key, size_t firstLine) {
    return "key " + quoted(key) + " again in this group (first on line " +
           std::to_string(firstLine) + "), this one is not read";
}
inline std::string notANumber(std::string_view key, std::string_view value, std::string_view read) {
    return quoted(key) + " value " + quoted(value) + " is not a number, read as " +
           std::string(read);
}
inline std::string doesNotFit(std::string_view key, std::string_view value, int bits,
                              std::string_view read) {
    return quoted(key) + " value " + quoted(value) + " does not fit in " + std::to_string(bits) +
           " bits, read as " + std::string(read);
}
inline std::string noValue(std::string_view key) {
    return quoted(key) + " has no \"= value\", read as 0";
}
inline constexpr std::string_view NOT_AN_ENTRY =
    "not a comment, a [group] or a \"key = value\" entry";
// What the reader does not find takes its default: the groups missing from the file, and the keys
// missing from one group, each list in one warning.
inline std::string missingGroups(const std::string& names, bool several) {
    return std::string(several ? "groups" : "group") + " missing, " +
           (several ? "their keys read" : "its keys read") + " as their defaults: " + names;
}
inline std::string missingKeys(const std::string& keysAndValues, bool several) {
    return std::string(several ? "keys" : "key") + " missing from this group, read as " +
           (several ? "their defaults: " : "its default: ") + keysAndValues;
}
inline std::string keyAndDefault(std::string_view key, std::string_view value) {
    return quoted(key) + " = " + std::string(value);
}
// Why writing (or Save) would replace a value: "9 is not a sensor type; writing sends 3".
inline std::string replacedValue(std::string_view value, std::string_view reason,
                                 std::string_view sent) {
    return std::string(value) + " " + std::string(reason) + "; writing sends " + std::string(sent);
}
inline constexpr std::string_view NOT_ON_OR_OFF = "is neither 0 (off) nor 1 (on)";
inline constexpr std::string_view NOT_A_SENSOR_TYPE = "is not a sensor type";
inline constexpr std::string_view NOT_A_PORT = "is not a port";
inline constexpr std::string_view NOT_A_BAUD_RATE = "is not a baud rate";
inline constexpr std::string_view NOT_A_SNAPPED_RATE = "is not a rate of the form 921600/n";
inline constexpr std::string_view OTHER_RATE_REPLACED =
    "is replaced along with the other end's, which is not a baud rate";
inline constexpr std::string_view NOT_A_MODE = "is not a mode";
inline constexpr std::string_view OTHER_MODE_REPLACED =
    "is replaced along with the other end's, which is not a mode";
inline constexpr std::string_view NOT_A_PRIORITY = "is not a priority";
inline constexpr std::string_view NOT_A_PACKET_SIZE = "is not a packet size";
}  // namespace lint_texts

}  // namespace tivra
