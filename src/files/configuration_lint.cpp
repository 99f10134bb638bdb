#include "files/configuration_lint.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string_view>
#include <type_traits>

#include "config/number_text.h"
#include "config/text_compare.h"
#include "config/validation.h"
#include "config/value_lists.h"
#include "files/configuration_document.h"

namespace tivra {

namespace {

constexpr std::string_view WHITE_SPACE = " \t\n\v\f\r";  // what atoi skips, and trailing blanks

// The channel whose group this is, as selectGroup finds it; 0 for none.
int channelOfGroup(const std::string& name) {
    for (int n = 1; n <= CHANNEL_COUNT; ++n)
        if (equalIgnoringAsciiCase(name, channelGroupName(n))) return n;
    return 0;
}

// The number a value spells when it is one: an optional sign and digits, blanks around them,
// perhaps a "; comment" behind. The result has no "+", no leading zeros and no "-0", as
// decimalOfField writes it.
std::optional<std::string> plainNumber(std::string_view value) {
    value = value.substr(0, value.find(';'));
    const size_t start = value.find_first_not_of(WHITE_SPACE);
    if (start == std::string_view::npos) return std::nullopt;
    const size_t end = value.find_last_not_of(WHITE_SPACE) + 1;
    std::string_view digits = value.substr(start, end - start);
    const bool negative = digits.front() == '-';
    if (negative || digits.front() == '+') digits.remove_prefix(1);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size() - 1));
    std::string number(negative && digits != "0" ? "-" : "");
    return number.append(digits);
}

}  // namespace

std::optional<std::string> valueWarning(std::string_view key, std::string_view value) {
    std::optional<std::string> warning;
    ChannelConfig fields;
    visitChannelFields(fields, [&](const ChannelKey& known, auto& field) {
        using Field = std::remove_reference_t<decltype(field)>;
        if (!equalIgnoringAsciiCase(key, known.text)) return;
        const std::string read =
            decimalOfField(lowBitsOfField<Field>(numberValue(value, LeadingSpace::WhiteSpace)));
        const std::optional<std::string> written = plainNumber(value);
        if (!written)
            warning = lint_texts::notANumber(key, value, read);
        else if (*written != read)
            warning = lint_texts::doesNotFit(key, value, 8 * sizeof(Field), read);
    });
    return warning;
}

namespace {

constexpr size_t KEY_COUNT = 10;

// The position of a key in a channel group's order; KEY_COUNT for an unknown key.
size_t keyIndex(const std::string& key) {
    size_t index = KEY_COUNT, at = 0;
    ChannelConfig fields;
    visitChannelFields(fields, [&](const ChannelKey& k, auto&) {
        if (index == KEY_COUNT && equalIgnoringAsciiCase(key, k.text)) index = at;
        ++at;
    });
    return index;
}

bool isKnownKey(const std::string& key) {
    return keyIndex(key) != KEY_COUNT;
}

// Where the reader finds each channel's group and keys: the lines of its first group and of the
// first entry of each key in it (0: missing).
struct ChannelLines {
    size_t group = 0;
    std::array<size_t, KEY_COUNT> keys{};
};
using DocumentLayout = std::array<ChannelLines, CHANNEL_COUNT>;

DocumentLayout documentLayout(const SettingsFile& document) {
    DocumentLayout layout{};
    ChannelLines* current = nullptr;
    for (const SettingsLine& line : document.lines()) {
        if (line.kind == SettingsLine::Kind::Group) {
            const int channel = channelOfGroup(line.name);
            current = nullptr;
            if (channel != 0 && layout[static_cast<size_t>(channel - 1)].group == 0) {
                current = &layout[static_cast<size_t>(channel - 1)];
                current->group = line.lineNumber;
            }
        } else if (line.kind == SettingsLine::Kind::Entry && current != nullptr) {
            const size_t index = keyIndex(line.name);
            if (index != KEY_COUNT && current->keys[index] == 0)
                current->keys[index] = line.lineNumber;
        }
    }
    return layout;
}

// The line a warning about a field belongs on: its entry, else its group, else the file's end.
size_t fieldLine(const SettingsFile& document, const DocumentLayout& layout, int channel,
                 size_t key) {
    const ChannelLines& lines = layout[static_cast<size_t>(channel - 1)];
    if (lines.keys[key] != 0) return lines.keys[key];
    return lines.group != 0 ? lines.group : std::max<size_t>(document.lastLineNumber(), 1);
}

void sortByLine(std::vector<DocumentWarning>& warnings) {
    std::stable_sort(
        warnings.begin(), warnings.end(),
        [](const DocumentWarning& a, const DocumentWarning& b) { return a.line < b.line; });
}

std::string_view nearestKey(const std::string& key) {
    std::string_view nearest;
    size_t best = SIZE_MAX;
    ChannelConfig fields;
    visitChannelFields(fields, [&](const ChannelKey& k, auto&) {
        const size_t distance = editDistance(key, k.text);
        if (distance < best) {
            best = distance;
            nearest = k.text;
        }
    });
    return nearest;
}

}  // namespace

std::vector<DocumentWarning> lintConfigurationDocument(const SettingsFile& document) {
    std::vector<DocumentWarning> warnings;
    auto warn = [&](const SettingsLine& line, std::string text) {
        warnings.push_back({line.lineNumber, std::move(text)});
    };
    enum class Section { BeforeGroups, Channel, NotRead };
    Section section = Section::BeforeGroups;
    std::map<int, size_t> channelGroups;  // channel -> line of its (first) group
    std::map<std::string, size_t> keys;   // of the current channel group, lower case -> line

    for (const SettingsLine& line : document.lines()) {
        if (line.kind == SettingsLine::Kind::Comment) continue;
        if (line.kind == SettingsLine::Kind::Group) {
            keys.clear();
            // A comment after "]" is one; anything else there is lost.
            const size_t text = line.afterGroup.find_first_not_of(" \t");
            if (line.unclosed) warn(line, lint_texts::unclosedGroup(line.name));
            if (text != std::string::npos && line.afterGroup[text] != ';')
                warn(line, lint_texts::textAfterGroup(line.name, line.afterGroup.substr(text)));
            const int channel = channelOfGroup(line.name);
            const auto first = channelGroups.find(channel);
            section = Section::NotRead;
            if (channel == 0)
                warn(line, lint_texts::unknownGroup(line.name));
            else if (first != channelGroups.end())
                warn(line, lint_texts::groupAgain(line.name, first->second));
            else {
                channelGroups[channel] = line.lineNumber;
                section = Section::Channel;
            }
            continue;
        }
        // A known key without "=" is still an entry to the reader: it reads as 0.
        const bool keyOnlyEntry =
            line.keyOnly && section == Section::Channel && isKnownKey(line.name);
        if (line.keyOnly && !keyOnlyEntry) warn(line, std::string(lint_texts::NOT_AN_ENTRY));
        if (section == Section::BeforeGroups && !line.keyOnly)
            warn(line, lint_texts::outsideGroups(line.name));
        if (section != Section::Channel) continue;

        std::string lower = line.name;
        std::transform(lower.begin(), lower.end(), lower.begin(), asciiLower);
        const auto [first, isFirst] = keys.emplace(lower, line.lineNumber);
        if (line.keyOnly && !keyOnlyEntry) continue;
        if (!isKnownKey(line.name))
            warn(line, lint_texts::unknownKey(line.name, nearestKey(line.name)));
        else if (!isFirst)
            warn(line, lint_texts::keyAgain(line.name, first->second));
        else if (line.keyOnly)
            warn(line, lint_texts::noValue(line.name));
        else if (std::optional<std::string> value = valueWarning(line.name, line.value))
            warn(line, std::move(*value));
    }

    // What the reader does not find takes its default.
    const DocumentLayout layout = documentLayout(document);
    std::string groups;
    size_t missingGroups = 0;
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        const ChannelLines& lines = layout[static_cast<size_t>(n - 1)];
        if (lines.group == 0) {
            groups += (missingGroups++ == 0 ? "" : ", ") + lint_texts::quoted(channelGroupName(n));
            continue;
        }
        std::string keys;
        size_t index = 0, missingKeys = 0;
        ChannelConfig defaults = DefaultChannelConfig(n);
        visitChannelFields(defaults, [&](const ChannelKey& key, auto value) {
            if (lines.keys[index++] != 0) return;
            keys += (missingKeys++ == 0 ? "" : ", ") +
                    lint_texts::keyAndDefault(key.text, decimalOfField(value));
        });
        if (missingKeys > 0)
            warnings.push_back({lines.group, lint_texts::missingKeys(keys, missingKeys > 1)});
    }
    if (missingGroups > 0)
        warnings.push_back({std::max<size_t>(document.lastLineNumber(), 1),
                            lint_texts::missingGroups(groups, missingGroups > 1)});
    sortByLine(warnings);
    return warnings;
}

std::vector<ReplacedValue> replacedValues(const MuxConfiguration& opened,
                                          const MuxConfiguration& sent) {
    std::vector<ReplacedValue> replaced;
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        std::vector<int32_t> after;
        visitChannelFields(sent.channel(n),
                           [&](const ChannelKey&, int32_t value) { after.push_back(value); });
        size_t index = 0;
        visitChannelFields(opened.channel(n), [&](const ChannelKey& key, int32_t value) {
            if (value != after[index]) replaced.push_back({n, key, value, after[index]});
            ++index;
        });
    }
    return replaced;
}

std::string replacementReason(const ReplacedValue& r) {
    using namespace lint_texts;
    const std::string_view field = r.key.field;
    std::string_view reason = NOT_A_PACKET_SIZE;
    if (field == "enabled") {
        reason = NOT_ON_OR_OFF;
    } else if (field == "sensorType") {
        reason = NOT_A_SENSOR_TYPE;
    } else if (field.ends_with("Port")) {
        reason = NOT_A_PORT;
    } else if (field.ends_with("Baudrate")) {
        const bool usable = r.value >= 1 && r.value <= MAX_BAUDRATE;
        reason = !usable                           ? NOT_A_BAUD_RATE
                 : snapBaudrate(r.value) == r.sent ? NOT_A_SNAPPED_RATE
                                                   : OTHER_RATE_REPLACED;
    } else if (field.ends_with("Mode")) {
        const bool inList = r.value >= 0 && r.value < static_cast<int32_t>(MODES.size());
        reason = inList ? OTHER_MODE_REPLACED : NOT_A_MODE;
    } else if (field == "priority") {
        reason = NOT_A_PRIORITY;
    }
    return replacedValue(decimalOfField(r.value), reason, decimalOfField(r.sent));
}

std::vector<DocumentWarning> sendingWarnings(const SettingsFile& document,
                                             const MuxConfiguration& opened) {
    const std::optional<MuxConfiguration> sent = configurationAsSent(opened);
    if (!sent) return {};
    const DocumentLayout layout = documentLayout(document);
    std::vector<DocumentWarning> warnings;
    for (const ReplacedValue& r : replacedValues(opened, *sent)) {
        const size_t key = keyIndex(std::string(r.key.text));
        warnings.push_back({fieldLine(document, layout, r.channel, key),
                            fieldName(r.channel, r.key.text) + ": " + replacementReason(r)});
    }
    return warnings;
}

std::vector<DocumentWarning> configurationWarnings(SettingsFile& document) {
    std::vector<DocumentWarning> warnings = lintConfigurationDocument(document);
    MuxConfiguration opened;
    readConfiguration(document, opened);
    for (DocumentWarning& warning : sendingWarnings(document, opened))
        warnings.push_back(std::move(warning));
    sortByLine(warnings);
    return warnings;
}

}  // namespace tivra
