#include "files/configuration_document.h"

#include <type_traits>

#include "config/number_text.h"

namespace tivra {

std::string channelGroupName(int channel) {
    return std::string(CHANNEL_GROUP_PREFIX) + std::to_string(channel);
}

std::string fieldName(int channel, std::string_view key) {
    return channelGroupName(channel) + ' ' + std::string(key);
}

void readConfiguration(SettingsFile& file, MuxConfiguration& configuration) {
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        file.selectGroup(channelGroupName(n));
        // Starting from the defaults, each field's current value is its key's default.
        ChannelConfig channel = DefaultChannelConfig(n);
        visitChannelFields(channel, [&](const ChannelKey& key, auto& field) {
            using Field = std::remove_reference_t<decltype(field)>;
            field = lowBitsOfField<Field>(file.readInteger(std::string(key.text), field));
        });
        configuration.channel(n) = channel;
    }
}

void writeConfiguration(SettingsFile& file, const MuxConfiguration& configuration) {
    file.writeComment(std::string(FILE_HEADER_COMMENT));
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        file.writeComment(std::string());
        file.selectGroup(channelGroupName(n));
        visitChannelFields(configuration.channel(n), [&](const ChannelKey& key, const auto& field) {
            file.writeInteger(std::string(key.text), field);
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
