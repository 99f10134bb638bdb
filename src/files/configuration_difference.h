#pragma once
// Where two configurations differ, field by field, in the words of a configuration file.

#include <string>
#include <string_view>
#include <vector>

#include "config/channel_config.h"

namespace tivra {

struct FieldDifference {
    int channel = 0;       // 1..8
    std::string_view key;  // the file's key, "Remote Baudrate"
    std::string first;     // the value in the first configuration, as a file stores it
    std::string second;    // likewise in the second

    friend bool operator==(const FieldDifference&, const FieldDifference&) = default;
};

// Every field whose value differs, by channel and then in the file's key order.
std::vector<FieldDifference> differingFields(const MuxConfiguration& first,
                                             const MuxConfiguration& second);

}  // namespace tivra
