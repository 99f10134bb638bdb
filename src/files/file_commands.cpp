#include "files/file_commands.h"

#include "config/form_transfer.h"
#include "config/validation.h"
#include "files/configuration_document.h"
#include "files/file_texts.h"
#include "files/settings_file.h"

namespace tivra {

namespace {

std::string str(std::string_view text) {
    return std::string(text);
}

void showPathInTitle(Operator& ui, const std::string& path) {
    ui.setWindowTitle(str(WINDOW_TITLE_WITH_PATH) + path);
}

}  // namespace

int32_t openConfiguration(ProgramState& state, ConfigForm& form, Operator& ui, int skipDialog) {
    // The dialog's answer is kept even when cancelled: a later Save then has no name to use.
    if (skipDialog == 0)
        state.currentConfigPath =
            ui.chooseFileToOpen(str(OPEN_DIALOG_TITLE), str(CONFIGURATION_FILE_FILTER));
    if (state.currentConfigPath.empty()) return 0;

    SettingsFile file;
    if (file.openForReading(state.currentConfigPath) == 0 &&
        !ui.question(str(READ_ERROR_TITLE), str(READ_ERROR_TEXT)))
        return -1;
    // An unreadable file reads as all defaults.
    showOpenedConfiguration(file, state, form);
    showPathInTitle(ui, state.currentConfigPath);
    return 0;
}

void showOpenedConfiguration(SettingsFile& file, ProgramState& state, ConfigForm& form) {
    readConfiguration(file, state.configuration);
    file.close();
    showConfiguration(state.configuration, form);
}

std::string saveConfiguration(ProgramState& state, ConfigForm& form, Operator& ui,
                              const std::string& path) {
    // The caller may pass currentConfigPath itself; work on a copy of it.
    const std::string target = path;
    if (target.empty()) {
        ui.message(str(FILE_ALERT_TITLE), str(NO_NAMED_CONFIGURATION_TEXT));
        return {};
    }
    if (validateConfiguration(state, form, ui) != 0) return {};
    std::string error;
    if (writeConfigurationFile(target, state.configuration, error)) return {};
    ui.message(str(FILE_ALERT_TITLE), str(CANNOT_SAVE_TEXT));
    return error;
}

std::string saveConfigurationAs(ProgramState& state, ConfigForm& form, Operator& ui) {
    state.currentConfigPath =
        ui.chooseFileToSave(str(SAVE_DIALOG_TITLE), str(CONFIGURATION_FILE_FILTER));
    std::string failure;
    if (!state.currentConfigPath.empty())
        failure = saveConfiguration(state, form, ui, state.currentConfigPath);
    // Named even when the dialog was cancelled or the save stopped.
    showPathInTitle(ui, state.currentConfigPath);
    return failure;
}

void openFromCommandLine(ProgramState& state, ConfigForm& form, Operator& ui,
                         const std::string& argument) {
    state.currentConfigPath = argument;
    if (!state.currentConfigPath.empty()) openConfiguration(state, form, ui, 1);
}

}  // namespace tivra
