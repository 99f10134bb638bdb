#include "config/value_lists.h"

#include <string>

#include "config/channel_config.h"
#include "config/config_form.h"
#include "config/controls.h"

namespace tivra {

namespace {

template <size_t N>
void appendEntries(ConfigForm& form, int id, const std::array<std::string_view, N>& entries) {
    for (std::string_view entry : entries) form.addItem(id, std::string(entry));
}

}  // namespace

void fillValueLists(ConfigForm& form) {
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        appendEntries(form, controlId(n, OFFSET_SENSOR_TYPE), SENSOR_TYPES);
        appendEntries(form, controlId(n, OFFSET_LOCAL_PORT), PORT_NAMES);
        appendEntries(form, controlId(n, OFFSET_LOCAL_BAUDRATE), BAUD_RATES);
        appendEntries(form, controlId(n, OFFSET_LOCAL_MODE), MODES);
        appendEntries(form, controlId(n, OFFSET_REMOTE_PORT), PORT_NAMES);
        appendEntries(form, controlId(n, OFFSET_REMOTE_BAUDRATE), BAUD_RATES);
        appendEntries(form, controlId(n, OFFSET_REMOTE_MODE), MODES);
        appendEntries(form, controlId(n, OFFSET_PRIORITY), PRIORITIES);
    }
    // The form starts blank: only the enable boxes accept input until a row is switched on.
    for (int n = 1; n <= CHANNEL_COUNT; ++n)
        for (int offset = OFFSET_SENSOR_TYPE; offset <= OFFSET_CHUNKSIZE; ++offset)
            form.setEnabled(controlId(n, offset), false);
}

}  // namespace tivra
