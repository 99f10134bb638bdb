#pragma once
// Which controls of a row the operator may use: a row's settings only while it is enabled, the
// priority and packet size only for a general-purpose sensor.

#include "config/channel_config.h"
#include "config/config_form.h"

namespace tivra {

// The operator changed channel n's enable box.
void fieldEnablingOnEnableChange(ConfigForm& form, int channel);
// The operator changed channel n's sensor type (reads the list's displayed text).
void fieldEnablingOnSensorTypeChange(ConfigForm& form, int channel);
// A configuration was put onto the form: decided by the record's values, not the form's texts.
void fieldEnablingByValue(ConfigForm& form, int channel, const ChannelConfig& config);

// Control event dispatch: runs the rule for an enable box or sensor type list; false for any
// other control.
bool fieldEnablingRule(ConfigForm& form, int controlId);

}  // namespace tivra
