#pragma once
// The rows of a text file under tests/data/: "left<separator>right" (blanks after the separator
// dropped); lines without the separator and those starting with '#' are ignored. A file that is
// missing or holds no row fails the test.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tivra::test {

using DataRows = std::vector<std::pair<std::string, std::string>>;

// A path in the source tree: from CTest's environment, else the one the tests were built from.
inline std::string sourcePath(const std::string& relative) {
    const char* source = std::getenv("TIVRA_SOURCE_DIR");
    return (source != nullptr ? std::string(source) : std::string(TIVRA_TEST_SOURCE_DIR)) + "/" +
           relative;
}

inline DataRows dataRows(const std::string& file, const std::string& separator = ": ") {
    std::ifstream in(sourcePath("tests/data/" + file));
    DataRows rows;
    for (std::string line; std::getline(in, line);)
        if (const size_t at = line.find(separator); at != std::string::npos && line[0] != '#')
            rows.emplace_back(
                line.substr(0, at),
                line.substr(
                    std::min(line.find_first_not_of(' ', at + separator.size()), line.size())));
    EXPECT_FALSE(rows.empty()) << file << ": missing, or no row";
    return rows;
}

// "a | b | c" as its fields, split at each separator.
inline std::vector<std::string> fieldsOf(const std::string& text, const std::string& separator) {
    std::vector<std::string> fields;
    for (size_t from = 0, at = 0; at != std::string::npos; from = at + separator.size())
        fields.push_back(text.substr(from, (at = text.find(separator, from)) - from));
    return fields;
}

// "00 C7 55 AA" as bytes.
inline std::vector<uint8_t> bytesOf(const std::string& hex) {
    std::vector<uint8_t> bytes;
    std::istringstream in(hex);
    for (std::string byte; in >> byte;) bytes.push_back(uint8_t(std::stoi(byte, nullptr, 16)));
    return bytes;
}

// C-like escapes as bytes: \r \n \t \v \f \0 \xHH, and \\ for a backslash.
inline std::string unescaped(const std::string& text) {
    std::string bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i] == '\\' && i + 1 < text.size() ? text[++i] : '\0';
        const size_t at = std::string_view("rntvf0").find(c);
        if (c == 'x')
            bytes += char(std::stoi(text.substr(i + 1, 2), nullptr, 16)), i += 2;
        else
            bytes += c == '\0' ? text[i] : at == std::string_view::npos ? c : "\r\n\t\v\f\0"[at];
    }
    return bytes;
}

}  // namespace tivra::test
