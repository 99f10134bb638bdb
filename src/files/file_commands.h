#pragma once
// Open, Save, Save As and the file named on the command line.

#include <cstdint>
#include <string>
#include <string_view>

#include "config/config_form.h"
#include "config/operator.h"
#include "config/program_state.h"
#include "files/settings_file.h"

namespace tivra {

// skipDialog 0: ask for a file; 1: open currentConfigPath. -1 when the operator declined defaults.
int32_t openConfiguration(ProgramState& state, ConfigForm& form, Operator& ui, int skipDialog);
// What Open does with the document it opened: the record from the document (which is closed),
// then the form from the record.
void showOpenedConfiguration(SettingsFile& file, ProgramState& state, ConfigForm& form);
// Why a save that reached the file did not write it, for people: the file, the system's reason
// and the step ("cannot save a.smc: Permission denied (while creating a file beside it)"); "" when
// it was saved or stopped before (no name, the check, the dialog cancelled). The operator's box
// says only that it failed.
std::string saveConfiguration(ProgramState& state, ConfigForm& form, Operator& ui,
                              const std::string& path);
std::string saveConfigurationAs(ProgramState& state, ConfigForm& form, Operator& ui);
// argument: the first command-line argument, "" when there is none.
void openFromCommandLine(ProgramState& state, ConfigForm& form, Operator& ui,
                         const std::string& argument);

}  // namespace tivra
