#include "cli/json_output.h"

#include <iostream>
#include <limits>

#include "cli/channel_table.h"
#include "cli/command.h"
#include "files/configuration_document.h"
#include "link/recording_bridge.h"

namespace tivra::cli {

namespace {

bool isUtf8(std::string_view text) {
    try {
        (void)Json(std::string(text)).dump();
        return true;
    } catch (const Json::exception&) {
        return false;
    }
}

// One JSON value that must be an integer fitting Field, into field.
template <class Field>
bool fieldFromJson(const Json& value, Field& field, const std::string& where, std::string& error) {
    using Limits = std::numeric_limits<Field>;
    if (value.is_number_integer()) {
        const bool fits =
            value.is_number_unsigned()
                ? value.get<uint64_t>() <= static_cast<uint64_t>(Limits::max())
                : value.get<int64_t>() >= Limits::min() && value.get<int64_t>() <= Limits::max();
        if (fits) {
            field = static_cast<Field>(value.get<int64_t>());
            return true;
        }
    }
    error = where + ": expected an integer from " + std::to_string(Limits::min()) + " to " +
            std::to_string(Limits::max());
    return false;
}

bool channelFromJson(const Json& object, int n, ChannelConfig& channel, std::string& error) {
    const std::string where = "channels[" + std::to_string(n - 1) + "]";
    if (!object.is_object()) {
        error = where + ": expected an object";
        return false;
    }
    for (const auto& [name, value] : object.items()) {
        bool known = name == "channel";
        visitChannelFields(
            channel, [&](const ChannelKey& key, auto&) { known = known || name == key.field; });
        if (!known) {
            error = where + "." + name + ": unknown member";
            return false;
        }
    }
    if (!object.contains("channel") || object["channel"] != n) {
        error = where + ".channel: expected " + std::to_string(n);
        return false;
    }
    bool ok = true;
    visitChannelFields(channel, [&](const ChannelKey& key, auto& field) {
        if (!ok) return;
        const std::string member(key.field);
        if (!object.contains(member)) {
            error = where + "." + member + ": missing";
            ok = false;
        } else {
            ok = fieldFromJson(object[member], field, where + "." + member, error);
        }
    });
    return ok;
}

}  // namespace

Json jsonDocument() {
    return {{"format", JSON_FORMAT}};
}

Json configurationJson(const MuxConfiguration& configuration) {
    Json channels = Json::array();
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        Json channel = {{"channel", n}};
        visitChannelFields(configuration.channel(n), [&](const ChannelKey& key, int32_t value) {
            channel[std::string(key.field)] = value;
        });
        channels.push_back(std::move(channel));
    }
    Json document = jsonDocument();
    document["channels"] = std::move(channels);
    return document;
}

bool configurationFromJson(std::string_view text, MuxConfiguration& configuration,
                           std::string& error) {
    Json document;
    try {
        document = Json::parse(text);
    } catch (const Json::parse_error& e) {
        // "[json.exception.parse_error.101] parse error at line 1, column 1: ..." without its tag.
        const std::string what = e.what();
        error = "not JSON: " +
                what.substr(what.find("] ") == std::string::npos ? 0 : what.find("] ") + 2);
        return false;
    }
    if (!document.is_object()) {
        error = "expected an object with \"format\" and \"channels\"";
        return false;
    }
    for (const auto& [name, value] : document.items()) {
        if (name != "format" && name != "channels") {
            error = name + ": unknown member";
            return false;
        }
    }
    if (document.contains("format") && document["format"] != JSON_FORMAT) {
        error = "format: expected " + std::to_string(JSON_FORMAT) + " (this tivractl's)";
        return false;
    }
    if (!document.contains("channels") || !document["channels"].is_array() ||
        document["channels"].size() != CHANNEL_COUNT) {
        error = "channels: expected an array of " + std::to_string(CHANNEL_COUNT) + " channels";
        return false;
    }
    MuxConfiguration read;
    for (int n = 1; n <= CHANNEL_COUNT; ++n)
        if (!channelFromJson(document["channels"][static_cast<size_t>(n - 1)], n, read.channel(n),
                             error))
            return false;
    configuration = read;
    return true;
}

Json differencesJson(const std::vector<FieldDifference>& differences, const char* first,
                     const char* second) {
    Json list = Json::array();
    for (const FieldDifference& d : differences)
        list.push_back({{"channel", d.channel},
                        {"key", d.key},
                        {first, std::stoll(d.first)},
                        {second, std::stoll(d.second)}});
    return list;
}

int printConfiguration(const MuxConfiguration& configuration, bool json) {
    std::cout << (json ? jsonText(configurationJson(configuration)) : channelTable(configuration));
    return STATUS_SUCCESS;
}

std::string jsonText(const Json& json) {
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

void addName(Json& object, const std::string& member, const std::string& name) {
    object[member] = name;
    if (isUtf8(name)) return;
    object[member + "Bytes"] = hexBytes(name.data(), name.size());
}

}  // namespace tivra::cli
