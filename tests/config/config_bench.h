#pragma once
// What the configuration tests share: a program state, the blank headless form of start-up and a
// recording operator, plus a few ways of looking at them whole.

#include <string>
#include <vector>

#include "config/channel_config.h"
#include "config/controls.h"
#include "config/form_transfer.h"
#include "config/headless_form.h"
#include "config/headless_setup.h"
#include "config/program_state.h"
#include "support/recording_operator.h"

namespace tivra::test {

inline MuxConfiguration defaultConfiguration() {
    MuxConfiguration config;
    for (int n = 1; n <= CHANNEL_COUNT; ++n) config.channel(n) = DefaultChannelConfig(n);
    return config;
}

// Every control's state in one list, so a whole form can be compared before and after.
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

struct ConfigBench {
    ProgramState state;
    HeadlessForm form = blankHeadlessForm();
    RecordingOperator ui;

    // Puts a record onto the form, as Open does.
    void show(const MuxConfiguration& config) { showConfiguration(config, form); }
    void setText(int channel, int offset, const std::string& text) {
        form.setText(controlId(channel, offset), text);
    }
    void select(int channel, int offset, int position) {
        form.selectIndex(controlId(channel, offset), position);
    }
    std::string text(int channel, int offset) const {
        return form.text(controlId(channel, offset));
    }
};

}  // namespace tivra::test
