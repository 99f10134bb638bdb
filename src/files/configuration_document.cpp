#include "files/configuration_document.h"

#include <type_traits>

#include "config/number_text.h"
#include "files/file_texts.h"

namespace tivra {

namespace {

// The ten keys of a channel group, in file order, each with its field.
template <class Config, class Visit>
void visitFields(Config& c, Visit&& visit) {
    visit(KEY_ENABLED, c.enabled);
    visit(KEY_SENSOR_TYPE, c.sensorType);
    visit(KEY_LOCAL_PORT, c.localPort);
    visit(KEY_LOCAL_BAUDRATE, c.localBaudrate);
    visit(KEY_LOCAL_MODE, c.localMode);
    visit(KEY_REMOTE_PORT, c.remotePort);
    visit(KEY_REMOTE_BAUDRATE, c.remoteBaudrate);
    visit(KEY_REMOTE_MODE, c.remoteMode);
    visit(KEY_PRIORITY, c.priority);
    visit(KEY_CHUNKSIZE, c.chunksize);
}

}  // namespace

std::string channelGroupName(int channel) {
    return std::string(CHANNEL_GROUP_PREFIX) + std::to_string(channel);
}

void readConfiguration(SettingsFile& file, MuxConfiguration& configuration) {
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        file.selectGroup(channelGroupName(n));
        // Starting from the defaults, each field's current value is its key's default.
        ChannelConfig channel = DefaultChannelConfig(n);
        visitFields(channel, [&](std::string_view key, auto& field) {
            using Field = std::remove_reference_t<decltype(field)>;
            field = lowBitsOfField<Field>(file.readInteger(std::string(key), field));
        });
        configuration.channel(n) = channel;
    }
}

void writeConfiguration(SettingsFile& file, const MuxConfiguration& configuration) {
    file.writeComment(std::string(FILE_HEADER_COMMENT));
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        file.writeComment(std::string());
        file.selectGroup(channelGroupName(n));
        visitFields(configuration.channel(n), [&](std::string_view key, const auto& field) {
            file.writeInteger(std::string(key), field);
        });
    }
}

std::string configurationText(const MuxConfiguration& configuration) {
    SettingsFile file;
    file.createInMemory();
    writeConfiguration(file, configuration);
    return file.documentText();
}

bool writeConfigurationFile(const std::string& path, const MuxConfiguration& configuration,
                            std::string& error) {
    SettingsFile file;
    if (!file.createForWriting(path)) {
        error = file.error();
        return false;
    }
    writeConfiguration(file, configuration);
    if (!file.close()) {
        error = file.error();
        return false;
    }
    return true;
}

}  // namespace tivra
