#include <windows.h>

#include <vector>

#include "app/program_folder.h"
#include "files/native_path.h"

namespace tivra {

std::string programFolder() {
    // Grow the buffer until the whole path fits: a truncated path would name the wrong folder.
    std::vector<wchar_t> buffer(260);
    while (buffer.size() <= 65536) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return "";
        if (length < buffer.size())
            return folderOfPath(utf8FromWide(std::wstring_view(buffer.data(), length)));
        buffer.resize(buffer.size() * 2);
    }
    return "";
}

}  // namespace tivra
