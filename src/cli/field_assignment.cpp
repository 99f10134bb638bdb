#include "cli/field_assignment.h"

#include <cstdint>
#include <type_traits>

#include "cli/cli_texts.h"
#include "config/number_text.h"
#include "config/text_compare.h"
#include "files/configuration_document.h"
#include "files/configuration_lint.h"

namespace tivra::cli {

namespace {

constexpr size_t MAX_NAME_TO_SUGGEST = 64;

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view BLANKS = " \t";
    const size_t start = text.find_first_not_of(BLANKS);
    if (start == std::string_view::npos) return {};
    return text.substr(start, text.find_last_not_of(BLANKS) + 1 - start);
}

// Calls visit(field) with the field the assignment names.
template <class Config, class Visit>
void visitAssignedField(Config& configuration, const FieldAssignment& assignment, Visit&& visit) {
    size_t index = 0;
    visitChannelFields(configuration.channel(assignment.channel),
                       [&](const ChannelKey&, auto& field) {
                           if (index++ == assignment.key) visit(field);
                       });
}

}  // namespace

bool parseFieldAssignment(std::string_view text, FieldAssignment& assignment, std::string& error) {
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        error = "'" + std::string(text) + "': " + std::string(SET_ASSIGNMENT_EXPECTED);
        return false;
    }
    const std::string name(trimmed(text.substr(0, equals)));
    const std::string_view value = trimmed(text.substr(equals + 1));
    std::string nearest;
    size_t best = SIZE_MAX;
    MuxConfiguration names;
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        size_t index = 0;
        visitChannelFields(names.channel(n), [&](const ChannelKey& key, auto& field) {
            using Field = std::remove_reference_t<decltype(field)>;
            const std::string known = fieldName(n, key.text);
            const size_t at = index++;
            if (!equalIgnoringAsciiCase(name, known)) {
                // A name far longer than any field's is near none of them.
                if (name.size() > MAX_NAME_TO_SUGGEST) return;
                if (const size_t distance = editDistance(name, known); distance < best) {
                    best = distance;
                    nearest = known;
                }
                return;
            }
            best = 0;
            assignment = {n, at, known, 0};
            // A plain number, as a saved file writes one: no comment, sign or blank in between.
            const bool digits =
                !value.empty() &&
                value.find_first_not_of("0123456789", value[0] == '-') == std::string_view::npos &&
                value != "-";
            std::optional<std::string> warning = valueWarning(key.text, value);
            if (!warning && !digits)
                warning = lint_texts::quoted(value) + std::string(SET_NOT_A_NUMBER);
            if (warning) {
                error = "'" + std::string(text) + "': " + *warning;
                return;
            }
            assignment.value = lowBitsOfField<Field>(numberValue(value, LeadingSpace::WhiteSpace));
        });
    }
    if (best != 0)
        error = "unknown field \"" + name + "\"" +
                (nearest.empty() ? "" : " (did you mean \"" + nearest + "\"?)");
    return error.empty();
}

void applyFieldAssignment(const FieldAssignment& assignment, MuxConfiguration& configuration) {
    visitAssignedField(configuration, assignment, [&](auto& field) {
        field = static_cast<std::remove_reference_t<decltype(field)>>(assignment.value);
    });
}

int32_t assignedFieldValue(const FieldAssignment& assignment,
                           const MuxConfiguration& configuration) {
    int32_t value = 0;
    visitAssignedField(configuration, assignment, [&](const auto& field) { value = field; });
    return value;
}

}  // namespace tivra::cli
