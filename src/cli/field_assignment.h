#pragma once
// The NAME=VALUE operands of tivractl set: which field a NAME names and which number a VALUE
// gives, refused with the reason when either is not exactly one.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/channel_config.h"

namespace tivra::cli {

struct FieldAssignment {
    int channel = 0;   // 1..8
    size_t key = 0;    // the key's place in a channel group, 0..9
    std::string name;  // the field as tivractl names it: "Channel 3 Local Baudrate"
    int32_t value = 0;
};

// Understands "NAME=VALUE": blanks around NAME and VALUE do not count, NAME is a field in any
// letter case, VALUE a decimal integer that fits the field. False, with the reason (naming the
// nearest field for an unknown NAME), otherwise.
bool parseFieldAssignment(std::string_view text, FieldAssignment& assignment, std::string& error);
// Puts the value into its field.
void applyFieldAssignment(const FieldAssignment& assignment, MuxConfiguration& configuration);
// The value the field holds now.
int32_t assignedFieldValue(const FieldAssignment& assignment,
                           const MuxConfiguration& configuration);

}  // namespace tivra::cli
