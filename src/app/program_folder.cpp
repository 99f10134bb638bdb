#include "app/program_folder.h"

#ifdef _WIN32
#include <windows.h>

#include "files/native_path.h"
#else
#include <unistd.h>
#endif

#include <vector>

namespace tivra {

std::string folderOfPath(const std::string& path) {
    const auto last = path.find_last_of("\\/");
    if (last == std::string::npos) return "";
    return path.substr(0, last + 1);
}

std::string programFolder() {
    // Grow the buffer until the whole path fits: a truncated path would name the wrong folder.
#ifdef _WIN32
    std::vector<wchar_t> buffer(260);
#else
    std::vector<char> buffer(260);
#endif
    for (;;) {
#ifdef _WIN32
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return "";
        if (length < buffer.size())
            return folderOfPath(utf8FromWide(std::wstring_view(buffer.data(), length)));
#else
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return "";
        if (static_cast<size_t>(length) < buffer.size()) {
            return folderOfPath(std::string(buffer.data(), static_cast<size_t>(length)));
        }
#endif
        if (buffer.size() >= 65536) return "";
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace tivra
