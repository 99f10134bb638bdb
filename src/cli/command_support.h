#pragma once
// What every command does alike: its help, its error lines.

#include <string>
#include <string_view>
#include <vector>

#include "cli/command.h"
#include "files/configuration_difference.h"

namespace tivra::cli {

// "tivractl NAME: WHAT" on standard error.
void printError(const Command& command, const std::string& what);
// A wrong command line: the error, a pointer to the help, and STATUS_UNUSABLE.
int usageError(const Command& command, const std::string& what);
// The command's help on standard output, and STATUS_SUCCESS.
int printHelp(const Command& command);
// One line per difference on standard output, "Channel N KEY: " + before + FIRST + between +
// SECOND; false when standard output cannot be written.
bool printDifferences(const std::vector<FieldDifference>& differences, std::string_view before,
                      std::string_view between);

}  // namespace tivra::cli
