#pragma once
// Warnings about a configuration document as a person wrote it: every line that the reader
// passes over, and every value that reads as something other than it says. The reader's own
// rules stay as they are; this only looks at what they make of the lines.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/settings_file.h"

namespace tivra {

struct DocumentWarning {
    size_t line = 0;  // in the file, from 1
    std::string text;

    friend bool operator==(const DocumentWarning&, const DocumentWarning&) = default;
};

// In line order: groups other than "Channel 1".."Channel 8" or given again, entries before the
// first group, unknown keys (with the nearest known key), keys given again in one group, values
// that are not plain numbers or do not fit their field, and lines that are no entry at all.
std::vector<DocumentWarning> lintConfigurationDocument(const SettingsFile& document);

// The warning about an entry of a known key whose value does not read as written (not a plain
// number, or one that does not fit its field), if any.
std::optional<std::string> valueWarning(std::string_view key, std::string_view value);

}  // namespace tivra
