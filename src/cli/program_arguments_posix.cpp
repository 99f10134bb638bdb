#include "cli/program_arguments.h"

namespace tivra::cli {

std::vector<std::string> programArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

void prepareTextOutput() {}

bool writeToConsole(std::string_view) {
    return false;
}

}  // namespace tivra::cli
