#include "config/number_text.h"

namespace tivra {

namespace {

bool isLeadingSpace(char c, LeadingSpace space) {
    if (c == ' ' || c == '\t') return true;
    if (space == LeadingSpace::BlanksAndTabs) return false;
    return c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

int32_t numberValue(std::string_view text, LeadingSpace space) {
    size_t i = 0;
    while (i < text.size() && isLeadingSpace(text[i], space)) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    // Past this magnitude the result is saturated whatever follows; stop growing there so a long
    // run of digits cannot overflow.
    constexpr int64_t LIMIT = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > LIMIT) magnitude = LIMIT;
    }
    return saturateToField<int32_t>(negative ? -magnitude : magnitude);
}

std::string decimalOfField(int32_t value) {
    return std::to_string(value);
}

}  // namespace tivra
