#include "cli/command.h"

namespace tivra::cli {

// To add a command: write cli/<name>_command.cpp defining
//     extern const Command NAME_COMMAND = {"name", reference::NAME_SUMMARY, reference::NAME_HELP,
//                                          runName, NAME_OPTIONS};
// (its summary in the table of commands of help/tivractl.html, its help in a section
// id="cmd-name" there),
// (parse with parseArguments from cli/arguments.h, load files with loadConfigurationFile from
// cli/configuration_loading.h, report through ConsoleOperator from cli/console_operator.h,
// return a STATUS_ value), declare it in cli/command.h beside the others, and add one line below.
// The build picks up every .cpp in src/cli by itself.
namespace {
// (simulate serves a pseudo-terminal, which Windows lacks.)
const Command* const COMMANDS[] = {
    &CHECK_COMMAND,    &FORMAT_COMMAND, &SET_COMMAND,   &SHOW_COMMAND,
    &DIFF_COMMAND,     &READ_COMMAND,   &WRITE_COMMAND, &FRAME_COMMAND,
#ifndef _WIN32
    &SIMULATE_COMMAND,
#endif
    &PORTS_COMMAND,
};
}  // namespace

std::span<const Command* const> commandTable() {
    return COMMANDS;
}

}  // namespace tivra::cli
