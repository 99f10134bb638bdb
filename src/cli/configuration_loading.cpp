#include "cli/configuration_loading.h"

#include <iostream>

#include "cli/cli_texts.h"
#include "cli/command_support.h"
#include "files/configuration_document.h"
#include "files/file_commands.h"
#include "files/file_input.h"
#include "files/settings_file.h"

namespace tivra::cli {

namespace {

// The groups Open reads, found as Open finds them (any letter case).
bool holdsChannelGroup(SettingsFile& file) {
    for (int n = 1; n <= CHANNEL_COUNT; ++n)
        if (file.selectGroup(channelGroupName(n)) != 0) return true;
    return false;
}

}  // namespace

// Open shows nothing for a file it could read, and the window title has no place here.
bool loadConfigurationFile(const std::string& path, ProgramState& state, ConfigForm& form,
                           Operator& /*ui*/, std::string& error,
                           std::vector<DocumentWarning>* warnings, bool requireChannelGroup,
                           StandardInputUse* input) {
    // Read once: a pipe or FIFO gives its bytes only to the first reader. Open would ask whether
    // to go on with default values when the file cannot be read; a command stops instead.
    SettingsFile file;
    if (path == STANDARD_STREAM) {
        // A second "-" would find standard input at its end and pass as an empty file.
        if (input != nullptr && input->taken) {
            error = std::string(STANDARD_INPUT_TWICE);
            return false;
        }
        if (input != nullptr) input->taken = true;
        std::string text;
        std::string reason;
        if (!readStandardInput(text, reason)) {
            error = "cannot read standard input: " + reason;
            return false;
        }
        file.openFromText(text);
    } else if (file.openForReading(path) == 0) {
        error = file.error();
        return false;
    }
    if (requireChannelGroup && !holdsChannelGroup(file)) {
        error = (path == STANDARD_STREAM ? std::string(STANDARD_INPUT_NAME) : path) +
                std::string(NO_CHANNEL_GROUP);
        return false;
    }
    if (warnings != nullptr) *warnings = configurationWarnings(file);
    state.currentConfigPath = path;
    showOpenedConfiguration(file, state, form);
    return true;
}

void printWarnings(const std::string& path, const std::vector<DocumentWarning>& warnings) {
    for (const DocumentWarning& warning : warnings)
        std::cerr << path << ':' << warning.line << ": warning: " << warning.text << '\n';
}

int openConfigurationFile(const Command& command, const std::string& path, Warnings handling,
                          ProgramState& state, ConfigForm& form, Operator& ui,
                          StandardInputUse* input) {
    std::string error;
    std::vector<DocumentWarning> warnings;
    if (!loadConfigurationFile(path, state, form, ui, error, &warnings, true, input)) {
        printError(command, error);
        return STATUS_UNUSABLE;
    }
    printWarnings(path, warnings);
    if (warnings.empty() || handling == Warnings::Print) return STATUS_SUCCESS;
    printError(command, path + warningsRefused(command.name == "write", warnings.size()));
    return STATUS_PROBLEM;
}

}  // namespace tivra::cli
