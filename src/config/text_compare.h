#pragma once
// Byte texts compared the way the form lists and the settings files compare them.

#include <cstddef>
#include <string_view>

namespace tivra {

constexpr char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Equal when the bytes match with only A-Z and a-z folded together.
constexpr bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

// Edits (insert, delete, change, swap two neighbours) between two texts, letter case ignored: how
// near a mistyped name is to a known one.
size_t editDistance(std::string_view a, std::string_view b);

}  // namespace tivra
