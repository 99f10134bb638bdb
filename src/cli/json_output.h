#pragma once
// JSON for scripts (the --json of show, read, check, diff, write --verify and ports, and the input
// of format --from-json), built with nlohmann-json. Every document has "format": 1 first, so that
// scripts can tell later versions apart; the configuration's is described by the JSON Schema
// installed with the manual (packaging/tivractl-configuration.schema.json).

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.h"
#include "config/channel_config.h"
#include "files/configuration_difference.h"

namespace tivra::cli {

// --json: the command's result as JSON on standard output instead of text.
inline constexpr OptionSpec JSON_OPTION = {"json", 0, false};
inline constexpr int JSON_FORMAT = 1;

// Keys stay in the order they were added.
using Json = nlohmann::ordered_json;

// {"format": 1} to add a command's members to.
Json jsonDocument();
// {"format": 1, "channels": [{"channel": 1, "enabled": ..., "sensorType": ..., ...}, ...]}: the
// record's field names in file order, the numbers as a file stores them (list positions, ports
// 0 to 7).
Json configurationJson(const MuxConfiguration& configuration);
// The configuration that configurationJson describes; false, with error naming the member
// ("channels[2].localPort: ..."), for anything else: a member missing or unknown, a wrong type, a
// number that does not fit its field.
bool configurationFromJson(std::string_view text, MuxConfiguration& configuration,
                           std::string& error);
// [{"channel": 4, "key": "Remote Baudrate", FIRST: 9600, SECOND: 19200}, ...]
Json differencesJson(const std::vector<FieldDifference>& differences, const char* first,
                     const char* second);
// The configuration on standard output as 'tivractl show' prints it, as a table or as JSON
// (whether it arrived is checked once the command has ended); STATUS_SUCCESS.
int printConfiguration(const MuxConfiguration& configuration, bool json);
// The text printed: indented by two, ending in a newline. Bytes that are not UTF-8 (names from a
// hand-edited file) become U+FFFD rather than stopping the output; DEL, the C1 controls and the
// bidirectional controls, which JSON allows raw, are written as \u escapes, so that the text is
// as safe on a terminal as tivractl's other output.
std::string jsonText(const Json& json);
// jsonText on standard output, exactly (it needs none of the text output's escaping).
void printJson(const Json& json);
// A name as a JSON member: itself when it is UTF-8; otherwise, beside it (with U+FFFD in place of
// what is not UTF-8), its bytes in hexadecimal as "NAMEBytes", so that it can be recovered.
void addName(Json& object, const std::string& member, const std::string& name);

}  // namespace tivra::cli
