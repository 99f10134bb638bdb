#pragma once
// JSON for scripts (show --json, read --json, check --json), built with nlohmann-json.

#include <nlohmann/json.hpp>
#include <string>

#include "cli/arguments.h"
#include "config/channel_config.h"

namespace tivra::cli {

// --json: the command's result as JSON on standard output instead of text.
inline constexpr OptionSpec JSON_OPTION = {"json", 0, false};

// Keys stay in the order they were added.
using Json = nlohmann::ordered_json;

// {"channels": [{"channel": 1, "enabled": ..., "sensorType": ..., ...}, ...]}: the record's field
// names in file order, the numbers as a file stores them (list positions, ports 0 to 7).
Json configurationJson(const MuxConfiguration& configuration);
// The configuration on standard output as 'tivractl show' prints it, as a table or as JSON
// (whether it arrived is checked once the command has ended); STATUS_SUCCESS.
int printConfiguration(const MuxConfiguration& configuration, bool json);
// The text printed: indented by two, ending in a newline. Bytes that are not UTF-8 (names from a
// hand-edited file) become U+FFFD rather than stopping the output.
std::string jsonText(const Json& json);

}  // namespace tivra::cli
