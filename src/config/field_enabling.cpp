#include "config/field_enabling.h"

#include <string>

#include "config/controls.h"
#include "config/value_lists.h"

namespace tivra {

namespace {

// While the operator edits, the row's sensor type is judged by what its list shows.
bool showsGeneralPurposeSensor(const ConfigForm& form, int channel) {
    const std::string shown = form.text(controlId(channel, OFFSET_SENSOR_TYPE));
    return shown == SENSOR_TYPES[SENSOR_GP_LIMIT] || shown == SENSOR_TYPES[SENSOR_GP_FIXED];
}

void setRange(ConfigForm& form, int channel, int first, int last, bool enabled) {
    for (int offset = first; offset <= last; ++offset)
        form.setEnabled(controlId(channel, offset), enabled);
}

void setGeneralPurposeFields(ConfigForm& form, int channel, bool enabled) {
    setRange(form, channel, OFFSET_PRIORITY, OFFSET_CHUNKSIZE, enabled);
}

}  // namespace

void fieldEnablingOnEnableChange(ConfigForm& form, int channel) {
    if (form.isChecked(controlId(channel, OFFSET_ENABLED))) {
        setRange(form, channel, OFFSET_SENSOR_TYPE, OFFSET_REMOTE_MODE, true);
        setGeneralPurposeFields(form, channel, showsGeneralPurposeSensor(form, channel));
    } else {
        setRange(form, channel, OFFSET_SENSOR_TYPE, OFFSET_CHUNKSIZE, false);
    }
}

void fieldEnablingOnSensorTypeChange(ConfigForm& form, int channel) {
    setGeneralPurposeFields(form, channel, showsGeneralPurposeSensor(form, channel));
}

void fieldEnablingByValue(ConfigForm& form, int channel, const ChannelConfig& config) {
    setRange(form, channel, OFFSET_SENSOR_TYPE, OFFSET_CHUNKSIZE, false);
    if (config.enabled == 0) return;
    setRange(form, channel, OFFSET_SENSOR_TYPE, OFFSET_REMOTE_MODE, true);
    if (generalPurposeSensor(config.sensorType)) setGeneralPurposeFields(form, channel, true);
}

bool fieldEnablingRule(ConfigForm& form, int id) {
    if (!isChannelControl(id)) return false;
    switch (offsetOfControl(id)) {
        case OFFSET_ENABLED:
            fieldEnablingOnEnableChange(form, channelOfControl(id));
            return true;
        case OFFSET_SENSOR_TYPE:
            fieldEnablingOnSensorTypeChange(form, channelOfControl(id));
            return true;
        default:
            return false;
    }
}

}  // namespace tivra
