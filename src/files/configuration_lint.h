#pragma once
// Warnings about a configuration document as a person wrote it: every line that the reader
// passes over, and every value that reads as something other than it says. The reader's own
// rules stay as they are; this only looks at what they make of the lines.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/channel_config.h"
#include "files/configuration_document.h"
#include "files/settings_file.h"

namespace tivra {

struct DocumentWarning {
    size_t line = 0;  // in the file, from 1
    std::string text;

    friend bool operator==(const DocumentWarning&, const DocumentWarning&) = default;
};

// In line order: groups other than "Channel 1".."Channel 8" or given again, entries before the
// first group, unknown keys (with the nearest known key), keys given again in one group, values
// that are not plain numbers or do not fit their field, lines that are no entry at all, and what
// is missing: a key of a channel group (on its group's line) or a whole channel group (on the
// file's last line). A file that Save wrote has none of these.
std::vector<DocumentWarning> lintConfigurationDocument(const SettingsFile& document);

// A field whose value writing would change: the check completes a switched-off channel, gives a
// value outside its list no selection, or snaps a rate.
struct ReplacedValue {
    int channel = 0;
    ChannelKey key;
    int32_t value = 0;  // as opened
    int32_t sent = 0;   // as Save writes it and a board write sends it
};
// Every field of opened that differs in sent (the record as configurationAsSent makes it).
std::vector<ReplacedValue> replacedValues(const MuxConfiguration& opened,
                                          const MuxConfiguration& sent);
// "9 is not a sensor type; writing sends 3".
std::string replacementReason(const ReplacedValue& replaced);
// A warning for every value of the configuration opened from the document that writing would
// change, on its entry's line (its group's or the file's last when it was missing). None when the
// check refuses the configuration: its message says what to mend first.
std::vector<DocumentWarning> sendingWarnings(const SettingsFile& document,
                                             const MuxConfiguration& opened);
// Both kinds, in line order: everything said about a file read for tivractl.
std::vector<DocumentWarning> configurationWarnings(SettingsFile& document);

// The warning about an entry of a known key whose value does not read as written (not a plain
// number, or one that does not fit its field), if any.
std::optional<std::string> valueWarning(std::string_view key, std::string_view value);

}  // namespace tivra
