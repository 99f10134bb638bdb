#include "cli/command_support.h"

#include <iostream>

#include "cli/cli_texts.h"

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

bool printDifferences(const std::vector<FieldDifference>& differences, std::string_view before,
                      std::string_view between) {
    for (const FieldDifference& d : differences)
        std::cout << CHANNEL_WORD << d.channel << ' ' << d.key << ": " << before << d.first
                  << between << d.second << '\n';
    return static_cast<bool>(std::cout << std::flush);
}

}  // namespace tivra::cli
