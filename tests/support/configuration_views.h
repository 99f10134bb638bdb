#pragma once
// For tests of any folder: short names of the row offsets for tables, the default configuration,
// a mixed one, what a form shows as a record, and a whole form as one comparable value.

#include <string>
#include <vector>

#include "config/channel_config.h"
#include "config/config_form.h"
#include "config/controls.h"
#include "config/form_transfer.h"

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

// A valid configuration unlike the defaults and the boards' factory one: every sensor type, mode
// and list used, fields distinct from row to row, ports shuffled at both ends, rates from the list,
// and chunksizes 51 and 170, whose bytes a frame must escape.
inline MuxConfiguration mixedConfiguration() {
    MuxConfiguration c;
    c.channels = {{{1, 1, 3, 230400, 0, 5, 600, 1, 10, 51},
                   {0, 2, 0, 115200, 1, 7, 1200, 0, 9, 100},
                   {1, 3, 7, 76800, 1, 0, 2400, 0, 8, 170},
                   {0, 4, 1, 57600, 0, 2, 4800, 1, 7, 200},
                   {1, 0, 6, 38400, 1, 1, 9600, 1, 6, 250},
                   {0, 1, 2, 19200, 0, 4, 460800, 0, 5, 300},
                   {1, 2, 5, 9600, 0, 6, 307200, 1, 4, 350},
                   {0, 3, 4, 4800, 1, 3, 153600, 0, 3, 400}}};
    return c;
}

// What a form shows, read into a record as the program reads it.
inline MuxConfiguration readForm(const ConfigForm& form) {
    MuxConfiguration config;
    formToConfiguration(form, config);
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
