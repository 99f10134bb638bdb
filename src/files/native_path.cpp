#include "files/native_path.h"

namespace tivra {

// On POSIX both conversions keep the bytes as they are; on Windows they are UTF-8 <-> UTF-16.
std::filesystem::path fileSystemPath(std::string_view path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string pathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace tivra
