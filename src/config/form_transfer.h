#pragma once
// Moving a configuration between the form and the record.

#include "config/channel_config.h"
#include "config/config_form.h"

namespace tivra {

// Reads all eight rows, enabled or not, into the record.
void formToConfiguration(const ConfigForm& form, MuxConfiguration& configuration);
// Writes the record into the form, then sets each row's enabled states from the record's values.
void showConfiguration(const MuxConfiguration& configuration, ConfigForm& form);

}  // namespace tivra
