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
void saveConfiguration(ProgramState& state, ConfigForm& form, Operator& ui,
                       const std::string& path);
void saveConfigurationAs(ProgramState& state, ConfigForm& form, Operator& ui);
// argument: the first command-line argument, "" when there is none.
void openFromCommandLine(ProgramState& state, ConfigForm& form, Operator& ui,
                         const std::string& argument);
// The first argument after the program's name in a raw Windows command line.
std::string firstCommandLineArgument(std::string_view commandLine);

}  // namespace tivra
