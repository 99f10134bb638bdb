#include "cli/configuration_loading.h"

#include "files/file_commands.h"
#include "files/settings_file.h"

namespace tivra::cli {

bool loadConfigurationFile(const std::string& path, ProgramState& state, ConfigForm& form,
                           Operator& ui, std::string& error,
                           std::vector<DocumentWarning>* warnings) {
    {
        // Open would ask whether to go on with default values; a command stops instead.
        SettingsFile probe;
        if (probe.openForReading(path) == 0) {
            error = probe.error();
            return false;
        }
        if (warnings != nullptr) *warnings = lintConfigurationDocument(probe);
    }
    state.currentConfigPath = path;
    if (openConfiguration(state, form, ui, 1) != 0) {
        error = "cannot open " + path;
        return false;
    }
    return true;
}

}  // namespace tivra::cli
