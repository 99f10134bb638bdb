#pragma once
// The eight channels of a configuration as a plain-text table for people.

#include <string>

#include "config/channel_config.h"

namespace tivra::cli {

// One header line and one line per channel, columns aligned with blanks. List positions show as
// their entries ("QV Sonar", port "3", "485"), no choice (-1) as "-", a position outside its list
// as "?(N)"; numbers as they are.
std::string channelTable(const MuxConfiguration& configuration);

}  // namespace tivra::cli
