#pragma once
// What the configuration tests share: a program state, the blank headless form of start-up and a
// recording operator.

#include <string>

#include "config/channel_config.h"
#include "config/controls.h"
#include "config/form_transfer.h"
#include "config/headless_form.h"
#include "config/headless_setup.h"
#include "config/program_state.h"
#include "support/configuration_views.h"
#include "support/recording_operator.h"

namespace tivra::test {

struct ConfigBench {
    ProgramState state;
    HeadlessForm form = blankHeadlessForm();
    RecordingOperator ui;

    // Puts a record onto the form, as Open does.
    void show(const MuxConfiguration& config) { showConfiguration(config, form); }
    // Types into a control of a row; on a list "" clears the selection and an entry's text
    // selects it.
    void setText(int channel, int offset, const std::string& text) {
        form.setText(controlId(channel, offset), text);
    }
    std::string text(int channel, int offset) const {
        return form.text(controlId(channel, offset));
    }
};

}  // namespace tivra::test
