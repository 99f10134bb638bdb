#pragma once
// For tests of any folder: short names of the row offsets for tables, the default configuration,
// and a whole form as one comparable value.

#include <string>
#include <vector>

#include "config/channel_config.h"
#include "config/config_form.h"
#include "config/controls.h"

namespace tivra::test {

constexpr int ENABLED = OFFSET_ENABLED;
constexpr int SENSOR = OFFSET_SENSOR_TYPE;
constexpr int LPORT = OFFSET_LOCAL_PORT;
constexpr int LBAUD = OFFSET_LOCAL_BAUDRATE;
constexpr int LMODE = OFFSET_LOCAL_MODE;
constexpr int RPORT = OFFSET_REMOTE_PORT;
constexpr int RBAUD = OFFSET_REMOTE_BAUDRATE;
constexpr int RMODE = OFFSET_REMOTE_MODE;
constexpr int PRIO = OFFSET_PRIORITY;
constexpr int CHUNK = OFFSET_CHUNKSIZE;

inline MuxConfiguration defaultConfiguration() {
    MuxConfiguration config;
    for (int n = 1; n <= CHANNEL_COUNT; ++n) config.channel(n) = DefaultChannelConfig(n);
    return config;
}

// Every row control's state in one list, so a whole form can be compared before and after.
inline std::vector<std::string> formSnapshot(const ConfigForm& form) {
    std::vector<std::string> out;
    for (int id = 1; id <= 80; ++id) {
        std::string line = std::to_string(id) + (form.isEnabled(id) ? " on " : " off ");
        if (offsetOfControl(id) == OFFSET_ENABLED)
            line += form.isChecked(id) ? "checked" : "unchecked";
        else
            line += std::to_string(form.selectedIndex(id)) + " '" + form.text(id) + "'";
        out.push_back(line);
    }
    return out;
}

}  // namespace tivra::test
