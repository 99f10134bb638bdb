#include <cstdio>

#include "cli/program_arguments.h"

namespace tivra::cli {

std::vector<std::string> programArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

void prepareTextOutput() {}

void writeBytesToStandardOutput(std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

}  // namespace tivra::cli
