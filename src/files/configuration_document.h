#pragma once
// A configuration as a settings document: one group per channel, ten keys each.

#include <string>

#include "config/channel_config.h"
#include "files/settings_file.h"

namespace tivra {

// The group name of channel n: "Channel 1" .. "Channel 8".
std::string channelGroupName(int channel);

// Reads all eight channels from an open document. Every missing key (or group) takes its default
// value; every value read keeps the low bits of its field.
void readConfiguration(SettingsFile& file, MuxConfiguration& configuration);
// Writes the header comment and the eight channel groups into an empty writing document.
void writeConfiguration(SettingsFile& file, const MuxConfiguration& configuration);
// Exactly the bytes that a Save of this configuration puts on disk.
std::string configurationText(const MuxConfiguration& configuration);
// Saves the configuration to path as Save does, without checking it. False, with a reason in
// error, when the file could not be written; the earlier file is then unchanged.
bool writeConfigurationFile(const std::string& path, const MuxConfiguration& configuration,
                            std::string& error);

}  // namespace tivra
