#include "ui/file_type_list.h"

namespace tivra {

namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

}  // namespace

std::vector<FileTypeEntry> parseFileTypes(std::string_view list) {
    std::vector<FileTypeEntry> types;
    const std::vector<std::string_view> parts = split(list, '|');
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty()) continue;
        FileTypeEntry type{std::string(parts[i]), {}};
        for (std::string_view pattern : split(parts[i + 1], ';'))
            if (!pattern.empty()) type.patterns.emplace_back(pattern);
        types.push_back(std::move(type));
    }
    return types;
}

std::vector<std::string> fileNameFilters(const FileTypeEntry& type) {
    std::vector<std::string> filters;
    for (const std::string& pattern : type.patterns)
        filters.push_back(pattern == "*.*" ? "*" : pattern);
    return filters;
}

}  // namespace tivra
