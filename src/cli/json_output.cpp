#include "cli/json_output.h"

#include <iostream>

#include "cli/channel_table.h"
#include "cli/command.h"
#include "files/configuration_document.h"

namespace tivra::cli {

Json configurationJson(const MuxConfiguration& configuration) {
    Json channels = Json::array();
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        Json channel = {{"channel", n}};
        visitChannelFields(configuration.channel(n), [&](const ChannelKey& key, int32_t value) {
            channel[std::string(key.field)] = value;
        });
        channels.push_back(std::move(channel));
    }
    return {{"channels", std::move(channels)}};
}

int printConfiguration(const MuxConfiguration& configuration, bool json) {
    std::cout << (json ? jsonText(configurationJson(configuration)) : channelTable(configuration));
    return STATUS_SUCCESS;
}

std::string jsonText(const Json& json) {
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

}  // namespace tivra::cli
