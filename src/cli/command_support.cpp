#include "cli/command_support.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "cli/cli_texts.h"
#include "files/configuration_document.h"

namespace tivra::cli {

void printError(const Command& command, const std::string& what) {
    std::cerr << TOOL_NAME << ' ' << command.name << ": " << what << '\n';
}

int usageError(const Command& command, const std::string& what) {
    printError(command, what);
    std::cerr << "Run '" << TOOL_NAME << ' ' << command.name << " --help' for its arguments.\n";
    return STATUS_UNUSABLE;
}

int printHelp(const Command& command) {
    std::cout << command.help;
    return STATUS_SUCCESS;
}

void writeStandardOutput(std::string_view bytes) {
#ifdef _WIN32
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

bool writeConfigurationOutput(const std::string& out, const MuxConfiguration& configuration,
                              std::string& error) {
    if (out != STANDARD_STREAM) return writeConfigurationFile(out, configuration, error);
    writeStandardOutput(configurationText(configuration));
    return true;
}

int checkedOutput(int status, const Command* command) {
    // std::cout writes through the C library's stdout, so this sees what either of them lost.
    errno = 0;
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return status;
    std::string what(CANNOT_WRITE_OUTPUT);
    if (errno != 0) what += std::string(": ") + std::strerror(errno);
    if (command != nullptr)
        printError(*command, what);
    else
        std::cerr << TOOL_NAME << ": " << what << '\n';
    return STATUS_UNUSABLE;
}

void printDifferences(const std::vector<FieldDifference>& differences, std::string_view before,
                      std::string_view between) {
    for (const FieldDifference& d : differences)
        std::cout << CHANNEL_WORD << d.channel << ' ' << d.key << ": " << before << d.first
                  << between << d.second << '\n';
}

}  // namespace tivra::cli
