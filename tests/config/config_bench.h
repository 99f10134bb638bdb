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
struct FormWatchingOperator : RecordingOperator {
    explicit FormWatchingOperator(const ConfigForm& watched) : form(watched) {}
    void message(const std::string& title, const std::string& text) override {
        formAtMessage = formSnapshot(form);
        RecordingOperator::message(title, text);
    }
    const ConfigForm& form;
    std::vector<std::string> formAtMessage;
};

struct ConfigBench {
    ProgramState state;
    HeadlessForm form = blankHeadlessForm();
    FormWatchingOperator ui{form};
};

// The mixed configuration, validated on the bench's form, which is then blank again: the tables
// hold what a board write would send, and the map of channel ports what the LocalBoard then
// reports.
inline MuxConfiguration writtenConfiguration(ConfigBench& b) {
    const MuxConfiguration config = mixedConfiguration();
    fillTablesWithMarkers(b.state);
    showConfiguration(config, b.form);
    EXPECT_EQ(validateConfiguration(b.state, b.form, b.ui), 0);
    EXPECT_EQ(b.state.configuration, config);
    b.form = blankHeadlessForm();
    for (int n = 1; n <= CHANNEL_COUNT; ++n)
        b.state.channelPortMap[size_t(n - 1)] = config.channel(n).localPort;
    return config;
}

}  // namespace tivra::test
