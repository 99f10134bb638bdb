#pragma once
// Loading a configuration file for a command as the window's Open does.

#include <string>
#include <vector>

#include "config/config_form.h"
#include "config/operator.h"
#include "config/program_state.h"
#include "files/configuration_lint.h"

namespace tivra::cli {

// Reads path into the state and shows it on the form, exactly as Open with that file does
// (missing keys take their default values); "-" reads standard input. A file that cannot be read
// is not replaced by the defaults: the result is false and error says why, naming the file. With
// warnings given, they receive what the document read holds that the reader passes over (tivractl
// check).
bool loadConfigurationFile(const std::string& path, ProgramState& state, ConfigForm& form,
                           Operator& ui, std::string& error,
                           std::vector<DocumentWarning>* warnings = nullptr);

}  // namespace tivra::cli
