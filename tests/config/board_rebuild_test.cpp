#include "config/board_rebuild.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "config/validation.h"
#include "config_bench.h"

namespace tivra::test {
namespace {

const std::vector<std::string> BOARDS_DISAGREE = {
    "Alert: Configuration problem - reconfigure system"};

// Notes what the form shows at the moment a message appears.
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

TEST(ConfigurationFromBoards, RebuildsWhatValidationBuilt) {
    ProgramState state;
    const MuxConfiguration written = writtenConfiguration(state);
    // Channel 2 by hand (local port 0, remote port 7); the rest shows in the round trip.
    EXPECT_EQ(state.portRouting, (PortRouting{7, 2, 4, 5, 3, 6, 1, 0}));
    EXPECT_EQ(state.localPortTable[0], (PortSettings{0, 2, 115200, 1, 9, 100}));
    EXPECT_EQ(state.remotePortTable[7], (PortSettings{0, 2, 1200, 0, 9, 100}));

    state.configuration = MuxConfiguration{};
    HeadlessForm form = blankHeadlessForm();
    RecordingOperator ui;
    configurationFromBoards(state, form, ui);
    EXPECT_EQ(state.configuration, written);
    EXPECT_TRUE(ui.events.empty());
    EXPECT_EQ(formSnapshot(form), formSnapshot(headlessFormShowing(written)));
}

TEST(ConfigurationFromBoards, ZeroFilledMapRebuildsEveryRowFromLocalPort0) {
    ProgramState state;
    state.localPortTable[0] = {1, 4, 19200, 1, 7, 99};
    state.remotePortTable[0] = {1, 4, 38400, 0, 7, 99};  // ends differ in rate and mode only
    state.localPortTable[5] = {0, 1, 600, 0, 2, 3};      // never reached
    HeadlessForm form = blankHeadlessForm();
    RecordingOperator ui;
    configurationFromBoards(state, form, ui);
    EXPECT_TRUE(ui.events.empty());
    for (int n = 1; n <= CHANNEL_COUNT; ++n)
        EXPECT_EQ(state.configuration.channel(n),
                  (ChannelConfig{1, 4, 0, 19200, 1, 0, 38400, 0, 7, 99}))
            << n;
    EXPECT_EQ(formSnapshot(form), formSnapshot(headlessFormShowing(state.configuration)));
}

// The remote ends of channels 3 and 6 changed in one field: a channel takes its shared fields from
// the local end, and the program warns once, after showing, when they disagree.
TEST(ConfigurationFromBoards, WarnsOnceAfterShowingWhenTheBoardsDisagree) {
    for (int field = 0; field < 6; ++field) {  // enabled, sensor, rate, mode, priority, chunksize
        SCOPED_TRACE(field);
        ProgramState state;
        MuxConfiguration expected = writtenConfiguration(state);
        const auto flip = [&](int f) { return field == f; };
        for (int n : {3, 6}) {
            PortSettings& r = state.remotePortTable[size_t(expected.channel(n).remotePort)];
            r = {int8_t(r.enabled ^ flip(0)),  int8_t(r.sensorType ^ flip(1)),
                 r.baudrate ^ flip(2),         int8_t(r.mode ^ flip(3)),
                 int8_t(r.priority ^ flip(4)), int16_t(r.chunksize ^ flip(5))};
            expected.channel(n).remoteBaudrate = r.baudrate;
            expected.channel(n).remoteMode = r.mode;
        }
        HeadlessForm form = blankHeadlessForm();
        FormWatchingOperator ui(form);
        configurationFromBoards(state, form, ui);
        EXPECT_EQ(state.configuration, expected);
        EXPECT_EQ(ui.boxes(), flip(2) || flip(3) ? std::vector<std::string>{} : BOARDS_DISAGREE);
        if (!ui.boxes().empty()) EXPECT_EQ(ui.formAtMessage, formSnapshot(form));
    }
}

TEST(ConfigurationFromBoards, PortsOutsideTheTablesAreNeverRead) {
    ProgramState state;
    const MuxConfiguration written = writtenConfiguration(state);
    state.channelPortMap[2] = 8;                                    // channel 3
    state.channelPortMap[4] = -1;                                   // channel 5
    state.channelPortMap[6] = std::numeric_limits<int32_t>::min();  // channel 7
    state.portRouting[size_t(written.channel(6).localPort)] = 9;
    state.portRouting[size_t(written.channel(8).localPort)] = std::numeric_limits<int32_t>::max();

    HeadlessForm form = blankHeadlessForm();
    FormWatchingOperator ui(form);
    configurationFromBoards(state, form, ui);
    EXPECT_EQ(ui.boxes(), BOARDS_DISAGREE);
    EXPECT_EQ(ui.formAtMessage, formSnapshot(form));

    MuxConfiguration expected = written;
    for (int n : {3, 5, 7}) expected.channel(n) = {0, -1, -1, 0, -1, -1, 0, -1, 0, 0};
    for (int n : {6, 8}) {  // the local end was read; the remote end cannot be
        expected.channel(n).remotePort = -1;
        expected.channel(n).remoteBaudrate = 0;
        expected.channel(n).remoteMode = -1;
    }
    EXPECT_EQ(state.configuration, expected);
    // Channel 3 shows without its ports, and the next check says so.
    EXPECT_EQ(formSnapshot(form), formSnapshot(headlessFormShowing(expected)));
    EXPECT_EQ(form.selectedIndex(controlId(3, OFFSET_LOCAL_PORT)), -1);
    EXPECT_EQ(form.text(controlId(6, OFFSET_REMOTE_BAUDRATE)), "0");
    ui.clear();
    EXPECT_EQ(validateConfiguration(state, form, ui), -1);
    EXPECT_EQ(ui.boxes(), std::vector<std::string>{"Invalid Port: Check Channel 3 Ports"});
}

}  // namespace
}  // namespace tivra::test
