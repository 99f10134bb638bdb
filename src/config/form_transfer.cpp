#include "config/form_transfer.h"

#include "config/controls.h"
#include "config/field_enabling.h"
#include "config/number_text.h"

namespace tivra {

namespace {

int8_t selectedPosition(const ConfigForm& form, int id) {
    // A list position is -1 or an index into a list of at most eleven entries.
    return saturateToField<int8_t>(form.selectedIndex(id));
}

}  // namespace

void formToConfiguration(const ConfigForm& form, MuxConfiguration& configuration) {
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        ChannelConfig& c = configuration.channel(n);
        c.enabled = form.isChecked(controlId(n, OFFSET_ENABLED)) ? 1 : 0;
        c.sensorType = selectedPosition(form, controlId(n, OFFSET_SENSOR_TYPE));
        c.localPort = selectedPosition(form, controlId(n, OFFSET_LOCAL_PORT));
        c.localBaudrate =
            fieldFromFormText<int32_t>(form.text(controlId(n, OFFSET_LOCAL_BAUDRATE)));
        c.localMode = selectedPosition(form, controlId(n, OFFSET_LOCAL_MODE));
        c.remotePort = selectedPosition(form, controlId(n, OFFSET_REMOTE_PORT));
        c.remoteBaudrate =
            fieldFromFormText<int32_t>(form.text(controlId(n, OFFSET_REMOTE_BAUDRATE)));
        c.remoteMode = selectedPosition(form, controlId(n, OFFSET_REMOTE_MODE));
        // The priority list holds the numbers themselves: the record takes the number shown.
        c.priority = fieldFromFormText<int8_t>(form.text(controlId(n, OFFSET_PRIORITY)));
        c.chunksize = fieldFromFormText<int16_t>(form.text(controlId(n, OFFSET_CHUNKSIZE)));
    }
}

void showConfiguration(const MuxConfiguration& configuration, ConfigForm& form) {
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        const ChannelConfig& c = configuration.channel(n);
        form.setChecked(controlId(n, OFFSET_ENABLED), c.enabled != 0);
        form.selectIndex(controlId(n, OFFSET_SENSOR_TYPE), c.sensorType);
        form.selectIndex(controlId(n, OFFSET_LOCAL_PORT), c.localPort);
        form.setText(controlId(n, OFFSET_LOCAL_BAUDRATE), decimalOfField(c.localBaudrate));
        form.selectIndex(controlId(n, OFFSET_LOCAL_MODE), c.localMode);
        form.selectIndex(controlId(n, OFFSET_REMOTE_PORT), c.remotePort);
        form.setText(controlId(n, OFFSET_REMOTE_BAUDRATE), decimalOfField(c.remoteBaudrate));
        form.selectIndex(controlId(n, OFFSET_REMOTE_MODE), c.remoteMode);
        // Set by text: a number that is not in the list leaves the earlier selection showing.
        form.setText(controlId(n, OFFSET_PRIORITY), decimalOfField(c.priority));
        form.setText(controlId(n, OFFSET_CHUNKSIZE), decimalOfField(c.chunksize));
    }
    for (int n = 1; n <= CHANNEL_COUNT; ++n)
        fieldEnablingByValue(form, n, configuration.channel(n));
}

}  // namespace tivra
