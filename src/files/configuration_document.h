#pragma once
// A configuration as a settings document: one group per channel, ten keys each.

#include <string>

#include "config/channel_config.h"
#include "files/file_texts.h"
#include "files/settings_file.h"

namespace tivra {

// One entry of a channel group: its key as the file spells it, and its record field's name.
struct ChannelKey {
    std::string_view text;   // "Local Baudrate"
    std::string_view field;  // "localBaudrate"
};

// Calls visit(key, field) for the ten entries of a channel group, in file order.
template <class Config, class Visit>
void visitChannelFields(Config& c, Visit&& visit) {
    visit(ChannelKey{KEY_ENABLED, "enabled"}, c.enabled);
    visit(ChannelKey{KEY_SENSOR_TYPE, "sensorType"}, c.sensorType);
    visit(ChannelKey{KEY_LOCAL_PORT, "localPort"}, c.localPort);
    visit(ChannelKey{KEY_LOCAL_BAUDRATE, "localBaudrate"}, c.localBaudrate);
    visit(ChannelKey{KEY_LOCAL_MODE, "localMode"}, c.localMode);
    visit(ChannelKey{KEY_REMOTE_PORT, "remotePort"}, c.remotePort);
    visit(ChannelKey{KEY_REMOTE_BAUDRATE, "remoteBaudrate"}, c.remoteBaudrate);
    visit(ChannelKey{KEY_REMOTE_MODE, "remoteMode"}, c.remoteMode);
    visit(ChannelKey{KEY_PRIORITY, "priority"}, c.priority);
    visit(ChannelKey{KEY_CHUNKSIZE, "chunksize"}, c.chunksize);
}

// The group name of channel n: "Channel 1" .. "Channel 8".
std::string channelGroupName(int channel);
// A field as people name it: the group and the key, "Channel 3 Local Baudrate".
std::string fieldName(int channel, std::string_view key);

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
