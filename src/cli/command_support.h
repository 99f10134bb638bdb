#pragma once
// What every command does alike: its help, its error lines, its output.

#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.h"
#include "cli/command.h"
#include "config/channel_config.h"
#include "config/operator.h"
#include "config/program_state.h"
#include "files/configuration_difference.h"
#include "files/configuration_document.h"

namespace tivra::cli {

// A FILE or OUT of "-": standard input or standard output.
inline constexpr std::string_view STANDARD_STREAM = "-";

// "tivractl NAME: WHAT" on standard error.
void printError(const Command& command, const std::string& what);
// A wrong command line: the error, a pointer to the help, and STATUS_UNUSABLE.
int usageError(const Command& command, const std::string& what);
// The command's help on standard output, and STATUS_SUCCESS.
int printHelp(const Command& command);
// One line per difference on standard output, fieldName + ": " + before + FIRST + between +
// SECOND.
void printDifferences(const std::vector<FieldDifference>& differences, std::string_view before,
                      std::string_view between);

// Puts bytes on standard output exactly as given (no CR added before LF on Windows). Like
// everything else printed there, whether they arrived is checked once the command has ended.
void writeStandardOutput(std::string_view bytes);
// A configuration as Save writes it, to OUT: "-" is standard output, anything else a file saved
// as Save saves it. False, with error set, when the file could not be written.
bool writeConfigurationOutput(const std::string& out, const MuxConfiguration& configuration,
                              std::string& error);

// What Save does with the record the state holds, OUT taking the file's place: the record shown
// on a fresh form, checked as Save checks it (the check's message, STATUS_PROBLEM, nothing
// written when it fails), then written to OUT as writeConfigurationOutput writes it
// (STATUS_UNUSABLE, said, when it cannot be).
int saveAsSaveWould(const Command& command, ProgramState& state, Operator& ui,
                    const std::string& out);

// --strict of the commands that print a file's warnings: refuse a file that has any.
inline constexpr OptionSpec STRICT_OPTION = {"strict", 0, false};
// -o OUT, once.
inline constexpr OptionSpec OUTPUT_OPTION = {"output", 'o', true};
// The value of -o, "-" (standard output) when not given; false, said, when it is empty.
bool outputOption(const Command& command, const Arguments& parsed, std::string& out, int& status);

// What was printed on standard output must have arrived (a full disk, a closed pipe): when it did
// not, says so for the command (nullptr: the tool itself) and gives STATUS_UNUSABLE (unless the
// command printsOnlyAReport); otherwise status unchanged.
int checkedOutput(int status, const Command* command);

}  // namespace tivra::cli
