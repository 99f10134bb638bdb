#include <unistd.h>

#include <vector>

#include "app/program_folder.h"

namespace tivra {

std::string programFolder() {
    // Grow the buffer until the whole path fits: a truncated path would name the wrong folder.
    std::vector<char> buffer(260);
    while (buffer.size() <= 65536) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return "";
        if (static_cast<size_t>(length) < buffer.size())
            return folderOfPath(std::string(buffer.data(), static_cast<size_t>(length)));
        buffer.resize(buffer.size() * 2);
    }
    return "";
}

}  // namespace tivra
