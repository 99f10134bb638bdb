#pragma once

#include <string>

namespace tivra {

// The folder of the program's own file, up to and including the last "\" or "/".
std::string programFolder();
// The folder part of a path, up to and including its last "\" or "/"; "" when it has none.
std::string folderOfPath(const std::string& path);

}  // namespace tivra
