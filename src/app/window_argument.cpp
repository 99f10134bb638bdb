#include "app/window_argument.h"

namespace tivra {

std::string firstCommandLineArgument(std::string_view commandLine) {
    size_t p = 0;
    const size_t end = commandLine.size();
    // The program's own name, which may be quoted.
    if (p < end && commandLine[p] == '"') {
        ++p;
        while (p < end && commandLine[p] != '"') ++p;
        if (p < end) ++p;
    } else {
        while (p < end && commandLine[p] != ' ') ++p;
    }
    // Only spaces separate arguments; a tab belongs to the argument.
    while (p < end && commandLine[p] == ' ') ++p;
    if (p < end && commandLine[p] == '"') {
        const size_t start = ++p;
        while (p < end && commandLine[p] != '"') ++p;
        return std::string(commandLine.substr(start, p - start));
    }
    const size_t start = p;
    while (p < end && commandLine[p] != ' ') ++p;
    return std::string(commandLine.substr(start, p - start));
}

}  // namespace tivra
