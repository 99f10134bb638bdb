#pragma once
// The type list of the file dialogs, given as "text|pattern|text|pattern": pairs of the text the
// operator sees and the patterns it stands for (several separated by ";").

#include <string>
#include <string_view>
#include <vector>

namespace tivra {

struct FileTypeEntry {
    std::string text;
    std::vector<std::string> patterns;
};

// An odd last text without a pattern is dropped, as is an empty text.
std::vector<FileTypeEntry> parseFileTypes(std::string_view list);

// The patterns as a file-name filter of this system: "*.*" names every file, as it does in the
// type lists operators know, also files without an extension.
std::vector<std::string> fileNameFilters(const FileTypeEntry& type);

}  // namespace tivra
