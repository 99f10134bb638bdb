#include "files/configuration_lint.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>
#include <type_traits>

#include "config/number_text.h"
#include "config/text_compare.h"
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

bool isKnownKey(const std::string& key) {
    bool known = false;
    ChannelConfig fields;
    visitChannelFields(fields, [&](const ChannelKey& k, auto&) {
        known = known || equalIgnoringAsciiCase(key, k.text);
    });
    return known;
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
    return warnings;
}

}  // namespace tivra
