#pragma once
// What the configuration tests share: a program state, the blank headless form of start-up and a
// recording operator; tables filled with markers as the link tests fill them.

#include <string>
#include <vector>

#include "config/validation.h"
#include "link/link_bench.h"
#include "support/configuration_views.h"

namespace tivra::test {

// An operator that notes what the form shows at the moment a message appears.
class FormWatchingOperator : public RecordingOperator {
  public:
    explicit FormWatchingOperator(const ConfigForm& form) : form_(form) {}
    void message(const std::string& title, const std::string& text) override {
        formAtMessage = formSnapshot(form_);
        RecordingOperator::message(title, text);
    }
    std::vector<std::string> formAtMessage;

  private:
    const ConfigForm& form_;
};

struct ConfigBench {
    ProgramState state;
    HeadlessForm form = blankHeadlessForm();
    FormWatchingOperator ui{form};

    // Puts a record onto the form, as Open does.
    void show(const MuxConfiguration& config) { showConfiguration(config, form); }
    // Types into a control of a row; on a list "" clears the selection and an entry's text
    // selects it.
    void setText(int channel, int offset, const std::string& text) {
        form.setText(controlId(channel, offset), text);
    }
};

// A mixed configuration, validated on the bench's form, which is then blank again: the tables hold
// what a board write would send, and the map of channel ports what the LocalBoard then reports.
inline MuxConfiguration writtenConfiguration(ConfigBench& b) {
    MuxConfiguration config;
    config.channels = {{{1, 1, 3, 230400, 0, 5, 600, 1, 10, 50},
                        {0, 2, 0, 115200, 1, 7, 1200, 0, 9, 100},
                        {1, 3, 7, 76800, 1, 0, 2400, 0, 8, 150},
                        {0, 4, 1, 57600, 0, 2, 4800, 1, 7, 200},
                        {1, 0, 6, 38400, 1, 1, 9600, 1, 6, 250},
                        {0, 1, 2, 19200, 0, 4, 460800, 0, 5, 300},
                        {1, 2, 5, 9600, 0, 6, 307200, 1, 4, 350},
                        {0, 3, 4, 4800, 1, 3, 153600, 0, 3, 400}}};
    fillTablesWithMarkers(b.state);
    b.show(config);
    EXPECT_EQ(validateConfiguration(b.state, b.form, b.ui), 0);
    EXPECT_EQ(b.state.configuration, config);
    b.form = blankHeadlessForm();
    for (int n = 1; n <= CHANNEL_COUNT; ++n)
        b.state.channelPortMap[size_t(n - 1)] = config.channel(n).localPort;
    return config;
}

}  // namespace tivra::test
