#include "cli/configuration_loading.h"

#include "cli/cli_texts.h"
#include "cli/command_support.h"
#include "files/file_commands.h"
#include "files/file_input.h"
#include "files/settings_file.h"

namespace tivra::cli {

// Open shows nothing for a file it could read, and the window title has no place here.
bool loadConfigurationFile(const std::string& path, ProgramState& state, ConfigForm& form,
                           Operator& /*ui*/, std::string& error,
                           std::vector<DocumentWarning>* warnings) {
    // Read once: a pipe or FIFO gives its bytes only to the first reader. Open would ask whether
    // to go on with default values when the file cannot be read; a command stops instead.
    SettingsFile file;
    if (path == STANDARD_STREAM) {
        // A second "-" would find standard input at its end and pass as an empty file.
        static bool standardInputTaken = false;
        if (standardInputTaken) {
            error = std::string(STANDARD_INPUT_TWICE);
            return false;
        }
        standardInputTaken = true;
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
    if (warnings != nullptr) *warnings = lintConfigurationDocument(file);
    state.currentConfigPath = path;
    showOpenedConfiguration(file, state, form);
    return true;
}

}  // namespace tivra::cli
