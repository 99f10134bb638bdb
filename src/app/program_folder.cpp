#include "app/program_folder.h"

namespace tivra {

std::string folderOfPath(const std::string& path) {
    const auto last = path.find_last_of("\\/");
    if (last == std::string::npos) return "";
    return path.substr(0, last + 1);
}

}  // namespace tivra
