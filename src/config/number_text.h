#pragma once
// Numbers as the form and the settings files spell them: reading a number out of a text, fitting
// it into a record field, and writing a field back as text.

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>

namespace tivra {

// Which characters may come before the number.
enum class LeadingSpace {
    BlanksAndTabs,  // the form's rule: ' ' and '\t' only
    WhiteSpace,     // the C library's rule (atoi): ' ', '\t', '\n', '\v', '\f', '\r'
};

// The number value of a text: leading space skipped, an optional "-" (negate) or "+" (ignored),
// then decimal digits up to the first other character; 0 when there are no digits. "57600 bit/s"
// gives 57600, "abc" and "" give 0, " -5" gives -5. Digits beyond the 32-bit range saturate to
// INT32_MAX / INT32_MIN (never wrap, never overflow on the way).
int32_t numberValue(std::string_view text, LeadingSpace space = LeadingSpace::BlanksAndTabs);

// A value clamped to the range of the field type T (int8_t, int16_t, int32_t): what a number
// typed into the form becomes, so an oversized entry never wraps into a plausible value
// (a chunksize of 70000 becomes 32767, a priority of 300 becomes 127).
template <class T>
constexpr T saturateToField(int64_t value) {
    if (value > std::numeric_limits<T>::max()) return std::numeric_limits<T>::max();
    if (value < std::numeric_limits<T>::min()) return std::numeric_limits<T>::min();
    return static_cast<T>(value);
}

// The low bits of a 32-bit value, read as a two's-complement number of T's width: what a number
// read from a settings file becomes (300 in an 8-bit field is 44, 255 is -1).
template <class T>
constexpr T lowBitsOfField(int32_t value) {
    return static_cast<T>(static_cast<std::make_unsigned_t<T>>(static_cast<uint32_t>(value)));
}

// A form text as a field of type T: number value, then saturated to the field.
template <class T>
T fieldFromFormText(std::string_view text) {
    return saturateToField<T>(numberValue(text, LeadingSpace::BlanksAndTabs));
}

// The signed decimal text of a field: "-" for negative numbers, "0" for zero, no other sign or
// blank.
std::string decimalOfField(int32_t value);

}  // namespace tivra
