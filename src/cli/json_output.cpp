#include "cli/json_output.h"

#include <algorithm>
#include <functional>
#include <iostream>
#include <limits>
#include <stdexcept>

#include "cli/channel_table.h"
#include "cli/command.h"
#include "cli/command_support.h"
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
    for (const auto& item : object.items()) {
        const std::string& name = item.key();
        bool known = name == "channel";
        visitChannelFields(
            channel, [&](const ChannelKey& key, auto&) { known = known || name == key.field; });
        if (!known) {
            error = where + "." + name + ": unknown member";
            return false;
        }
    }
    if (!object.contains("channel") || !object["channel"].is_number_integer() ||
        object["channel"] != n) {
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

namespace {

// Where the parser is in the document, for naming a member ("channels[2].localPort"), and the
// members each object has so far, for refusing one given twice (a parser would keep the last).
class MemberTracker {
  public:
    bool operator()(int depth, Json::parse_event_t event, Json& parsed) {
        const auto d = static_cast<size_t>(depth);
        switch (event) {
            case Json::parse_event_t::object_start:
            case Json::parse_event_t::array_start:
                countElement(d);
                frames_.resize(d + 1);
                frames_[d] = Frame{event == Json::parse_event_t::array_start, {}, -1, {}};
                break;
            case Json::parse_event_t::key: {
                // Keys come at the depth of the object's members.
                if (d == 0 || d > frames_.size()) break;
                Frame& frame = frames_[d - 1];
                frame.key = parsed.get<std::string>();
                if (std::find(frame.keys.begin(), frame.keys.end(), frame.key) != frame.keys.end())
                    throw std::invalid_argument("given twice");
                frame.keys.push_back(frame.key);
                break;
            }
            case Json::parse_event_t::value:
                countElement(d);
                break;
            case Json::parse_event_t::object_end:
            case Json::parse_event_t::array_end:
                frames_.resize(std::min(d, frames_.size()));  // the container is done
                break;
        }
        return true;
    }

    // The member being read when the parser stopped: "channels[2].localPort"; "" at the top. In
    // the innermost array, the element after the last one begun (the failing value never began).
    std::string where() const {
        std::string path;
        for (size_t i = 0; i < frames_.size(); ++i) {
            const Frame& frame = frames_[i];
            if (frame.array) {
                const bool innermost = i + 1 == frames_.size();
                path += "[" + std::to_string(frame.index + (innermost ? 1 : 0)) + "]";
            } else if (!frame.key.empty()) {
                path += (path.empty() ? "" : ".") + frame.key;
            }
        }
        return path;
    }

  private:
    struct Frame {
        bool array = false;
        std::string key;
        int index = -1;  // of the element being read, in an array
        std::vector<std::string> keys;
    };
    // Containers are numbered by the depth they start at, their elements come one deeper.
    void countElement(size_t depth) {
        if (depth == 0 || depth > frames_.size()) return;
        Frame& parent = frames_[depth - 1];
        if (parent.array) ++parent.index;
    }
    std::vector<Frame> frames_;
};

// A parser's message without its tag: "[json.exception.parse_error.101] parse error at ...".
std::string untagged(const std::string& what) {
    const size_t tag = what.find("] ");
    return what.substr(tag == std::string::npos ? 0 : tag + 2);
}

}  // namespace

// What read --json adds about the reading, taken as it prints it and ignored.
bool readResultMember(const std::string& name, const Json& value) {
    const auto isText = [](const Json& v) { return v.is_string(); };
    if (name == "boardsAgree") return value.is_boolean();
    if (name == "status")
        return value.is_number_integer() && value.get<int64_t>() >= 0 && value.get<int64_t>() < 256;
    if (name == "boardsRead") {
        if (!value.is_object() || value.size() != 2) return false;
        for (const char* board : {"localBoard", "remoteBoard"})
            if (!value.contains(board) || (value[board] != "read" && value[board] != "not read"))
                return false;
        return true;
    }
    if (name == "messages") {
        if (!value.is_array()) return false;
        for (const Json& box : value)
            if (!box.is_object() || box.size() != 2 || !box.contains("title") ||
                !box.contains("text") || !isText(box["title"]) || !isText(box["text"]))
                return false;
        return true;
    }
    return false;
}

bool configurationFromJson(std::string_view text, MuxConfiguration& configuration,
                           std::string& error) {
    // The parser would take a NUL byte for the end of the text, and what follows for nothing.
    if (const size_t nul = text.find('\0'); nul != std::string_view::npos) {
        error = "not JSON: a NUL byte at offset " + std::to_string(nul);
        return false;
    }
    Json document;
    MemberTracker tracker;
    try {
        document = Json::parse(text, std::ref(tracker));
    } catch (const Json::parse_error& e) {
        error = "not JSON: " + untagged(e.what());
        return false;
    } catch (const std::exception& e) {
        // A member given twice, a number beyond what a double holds (1e999): said where.
        const std::string where = tracker.where();
        error = (where.empty() ? "" : where + ": ") + untagged(e.what());
        return false;
    }
    if (!document.is_object()) {
        error = "expected an object with \"format\" and \"channels\"";
        return false;
    }
    for (const auto& item : document.items()) {
        const std::string& name = item.key();
        if (name == "format" || name == "channels") continue;
        if (!readResultMember(name, item.value())) {
            error = name + (name == "boardsRead" || name == "boardsAgree" || name == "status" ||
                                    name == "messages"
                                ? ": not as read --json prints it"
                                : ": unknown member");
            return false;
        }
    }
    if (!document.contains("format")) {
        error = "format: missing (" + std::to_string(JSON_FORMAT) + " for this tivractl)";
        return false;
    }
    if (!document["format"].is_number_integer() || document["format"] != JSON_FORMAT) {
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
    if (json)
        printJson(configurationJson(configuration));
    else
        std::cout << channelTable(configuration);
    return STATUS_SUCCESS;
}

std::string jsonText(const Json& json) {
    const std::string dumped = json.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
    // Such characters can stand only inside strings, where \u escapes mean the same.
    std::string text;
    text.reserve(dumped.size());
    const auto escaped = [&text](unsigned code) {
        static constexpr char DIGITS[] = "0123456789abcdef";
        text += "\\u";
        for (int shift = 12; shift >= 0; shift -= 4) text += DIGITS[(code >> shift) & 0xF];
    };
    for (size_t i = 0; i < dumped.size(); ++i) {
        const auto byte = [&](size_t k) {
            return k < dumped.size() ? static_cast<unsigned char>(dumped[k]) : 0u;
        };
        if (byte(i) == 0x7F) {
            escaped(0x7F);
        } else if (byte(i) == 0xC2 && byte(i + 1) >= 0x80 && byte(i + 1) <= 0x9F) {
            escaped(byte(++i));
        } else if (byte(i) == 0xE2 && byte(i + 1) == 0x80 && byte(i + 2) >= 0xAA &&
                   byte(i + 2) <= 0xAE) {
            escaped(0x2000 + byte(i + 2) - 0x80), i += 2;
        } else if (byte(i) == 0xE2 && byte(i + 1) == 0x81 && byte(i + 2) >= 0xA6 &&
                   byte(i + 2) <= 0xA9) {
            escaped(0x2040 + byte(i + 2) - 0x80), i += 2;
        } else {
            text += dumped[i];
        }
    }
    return text;
}

void printJson(const Json& json) {
    writeStandardOutput(jsonText(json));
}

void addName(Json& object, const std::string& member, const std::string& name) {
    object[member] = name;
    if (isUtf8(name)) return;
    object[member + "Bytes"] = hexBytes(name.data(), name.size());
}

}  // namespace tivra::cli
