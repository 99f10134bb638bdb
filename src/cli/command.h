#pragma once
// One tivractl command: its name, its help, and what it runs.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.h"

namespace tivra::cli {

// Exit status of every command.
constexpr int STATUS_SUCCESS = 0;
constexpr int STATUS_PROBLEM = 1;           // the configuration (or an exchange) has a problem
constexpr int STATUS_UNUSABLE = 2;          // a file or the command line could not be used
constexpr int STATUS_NOT_VERIFIED = 3;      // write --verify: the boards hold something else
constexpr int STATUS_WRITTEN_NOT_READ = 4;  // write --verify: both written, the read-back failed
constexpr int STATUS_PARTLY_WRITTEN = 5;    // write: one board took the configuration, or may have
constexpr int STATUS_BOARDS_DISAGREE = 6;   // read, diff --boards: the boards' tables disagree
// A command ended by a signal (or one that finished its write first): 128 + the signal's number.
constexpr int STATUS_SIGNAL_BASE = 128;

struct Command {
    std::string_view name;
    std::string_view summary;  // one line in the tool's help
    std::string_view help;     // what "tivractl NAME --help" prints
    // Runs with the arguments after the command's name; returns the exit status.
    int (*run)(const std::vector<std::string>& arguments);
    // The options it takes besides -h/--help.
    std::span<const OptionSpec> options;
    // What it prints only reports on what it did elsewhere (write: the boards); output that
    // cannot be written is said, but the status stays what it did.
    bool printsOnlyAReport = false;
};

// Every command, defined each in its own file (cli/<name>_command.cpp).
extern const Command CHECK_COMMAND;
extern const Command FORMAT_COMMAND;
extern const Command SHOW_COMMAND;
extern const Command READ_COMMAND;
extern const Command WRITE_COMMAND;
extern const Command FRAME_COMMAND;
extern const Command SIMULATE_COMMAND;
extern const Command DIFF_COMMAND;
extern const Command PORTS_COMMAND;
extern const Command SET_COMMAND;

// The commands in the order the tool's help lists them (command_table.cpp).
std::span<const Command* const> commandTable();

}  // namespace tivra::cli
