#pragma once
// Loading a configuration file for a command as the window's Open does.

#include <string>
#include <vector>

#include "cli/command.h"
#include "config/config_form.h"
#include "config/operator.h"
#include "config/program_state.h"
#include "files/configuration_lint.h"

namespace tivra::cli {

// Standard input gives its bytes only once: a command that reads several files keeps one of these
// across them, so that a second "-" is refused rather than read as an empty file.
struct StandardInputUse {
    bool taken = false;
};

// Reads path into the state and shows it on the form, exactly as Open with that file does
// (missing keys take their default values); "-" reads standard input. A file that cannot be read
// is not replaced by the defaults: the result is false and error says why, naming the file. So is
// a file without a single [Channel 1]..[Channel 8] group (empty, JSON, binary) when
// requireChannelGroup is set: Open reads it as all default values, but a command that sends,
// prints or compares it would then pass off a blank configuration as the file's. With warnings
// given, they receive what the document read holds that the reader passes over (tivractl check).
// Without input, path is the only file the command reads.
bool loadConfigurationFile(const std::string& path, ProgramState& state, ConfigForm& form,
                           Operator& ui, std::string& error,
                           std::vector<DocumentWarning>* warnings = nullptr,
                           bool requireChannelGroup = true, StandardInputUse* input = nullptr);

// "FILE:LINE: warning: TEXT" on standard error, one line per warning, as check prints them.
void printWarnings(const std::string& path, const std::vector<DocumentWarning>& warnings);

// What a command does with the warnings about its FILE.
enum class Warnings { Print, Refuse };

// Loads FILE for a command that sends, prints or compares its configuration: as
// loadConfigurationFile, then prints the warnings. Returns STATUS_SUCCESS; STATUS_UNUSABLE when
// FILE cannot be read or holds no configuration; STATUS_PROBLEM when it has warnings and they
// are refused (both said on standard error, the latter with how to accept them).
int openConfigurationFile(const Command& command, const std::string& path, Warnings warnings,
                          ProgramState& state, ConfigForm& form, Operator& ui,
                          StandardInputUse* input = nullptr);

}  // namespace tivra::cli
