#include "config/board_rebuild.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "config/validation.h"
#include "config_bench.h"

namespace tivra::test {
namespace {

const std::string BOARDS_DISAGREE = "Alert: Configuration problem - reconfigure system";

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

// A mixed configuration, validated, so the tables hold what a board write would send.
MuxConfiguration writtenConfiguration(ProgramState& state) {
    ConfigBench b;
    MuxConfiguration config = defaultConfiguration();
    const int local[] = {4, 1, 0, 6, 2, 7, 3, 5};
    const int remote[] = {0, 2, 5, 1, 7, 3, 6, 4};
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        ChannelConfig& c = config.channel(n);
        c.enabled = static_cast<int8_t>(n != 2 && n != 7);
        c.sensorType = static_cast<int8_t>(n % 5);
        c.localPort = static_cast<int8_t>(local[n - 1]);
        c.remotePort = static_cast<int8_t>(remote[n - 1]);
        c.localBaudrate = 9600 * n;
        c.remoteMode = static_cast<int8_t>(n % 2);
        c.priority = static_cast<int8_t>(11 - n);
        c.chunksize = static_cast<int16_t>(40 * n);
    }
    b.show(config);
    EXPECT_EQ(validateConfiguration(b.state, b.form, b.ui), 0);
    state = b.state;
    for (int n = 1; n <= CHANNEL_COUNT; ++n)
        state.channelPortMap[static_cast<size_t>(n - 1)] = config.channel(n).localPort;
    return b.state.configuration;
}

TEST(ConfigurationFromBoards, RebuildsWhatWasWritten) {
    ProgramState state;
    const MuxConfiguration written = writtenConfiguration(state);
    state.configuration = MuxConfiguration{};
    HeadlessForm form = blankHeadlessForm();
    RecordingOperator ui;
    configurationFromBoards(state, form, ui);
    EXPECT_EQ(state.configuration, written);
    EXPECT_TRUE(ui.events.empty());
    MuxConfiguration shown;
    formToConfiguration(form, shown);
    EXPECT_EQ(shown, written);
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
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        EXPECT_EQ(state.configuration.channel(n),
                  (ChannelConfig{1, 4, 0, 19200, 1, 0, 38400, 0, 7, 99}))
            << n;
        EXPECT_EQ(form.text(controlId(n, OFFSET_LOCAL_PORT)), "1");
        EXPECT_EQ(form.text(controlId(n, OFFSET_REMOTE_PORT)), "1");
        EXPECT_EQ(form.text(controlId(n, OFFSET_SENSOR_TYPE)), "GP Fixed");
        EXPECT_TRUE(form.isEnabled(controlId(n, OFFSET_CHUNKSIZE)));
    }

    // Tables never filled at all: eight rows of zeros, and both ends agree.
    ProgramState zero;
    configurationFromBoards(zero, form, ui);
    EXPECT_TRUE(ui.events.empty());
    for (int n = 1; n <= CHANNEL_COUNT; ++n)
        EXPECT_EQ(zero.configuration.channel(n), ChannelConfig{}) << n;
}

TEST(ConfigurationFromBoards, WarnsOnceWhenTheEndsDisagree) {
    struct Case {
        std::string name;
        void (*change)(PortSettings&);
        bool warns;
    };
    const Case cases[] = {
        {"sensor type", [](PortSettings& r) { r.sensorType = 2; }, true},
        {"enabled", [](PortSettings& r) { r.enabled = static_cast<int8_t>(!r.enabled); }, true},
        {"priority", [](PortSettings& r) { r.priority = 9; }, true},
        {"chunksize", [](PortSettings& r) { r.chunksize = 401; }, true},
        {"baud rate", [](PortSettings& r) { r.baudrate = 1200; }, false},
        {"mode", [](PortSettings& r) { r.mode = static_cast<int8_t>(1 - r.mode); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramState state;
        const MuxConfiguration written = writtenConfiguration(state);
        // Change the remote end of channels 3 and 6.
        for (int n : {3, 6})
            c.change(state.remotePortTable[static_cast<size_t>(written.channel(n).remotePort)]);
        HeadlessForm form = blankHeadlessForm();
        FormWatchingOperator ui(form);
        configurationFromBoards(state, form, ui);
        EXPECT_EQ(ui.boxes(),
                  c.warns ? std::vector<std::string>{BOARDS_DISAGREE} : std::vector<std::string>{});
        if (c.warns) {
            EXPECT_EQ(ui.formAtMessage, formSnapshot(form));  // shown before the warning
        }
        // The channel takes its shared fields from the local end.
        EXPECT_EQ(state.configuration.channel(3).sensorType, written.channel(3).sensorType);
        EXPECT_EQ(state.configuration.channel(3).priority, written.channel(3).priority);
    }
}

TEST(ConfigurationFromBoards, PortsOutsideTheTablesAreNeverRead) {
    constexpr int32_t MAX32 = std::numeric_limits<int32_t>::max();
    constexpr int32_t MIN32 = std::numeric_limits<int32_t>::min();
    ProgramState state;
    const MuxConfiguration written = writtenConfiguration(state);
    state.channelPortMap[2] = 8;      // channel 3
    state.channelPortMap[4] = -1;     // channel 5
    state.channelPortMap[6] = MIN32;  // channel 7
    state.portRouting[static_cast<size_t>(written.channel(6).localPort)] = 9;
    state.portRouting[static_cast<size_t>(written.channel(8).localPort)] = MAX32;

    HeadlessForm form = blankHeadlessForm();
    FormWatchingOperator ui(form);
    configurationFromBoards(state, form, ui);
    EXPECT_EQ(ui.boxes(), std::vector<std::string>{BOARDS_DISAGREE});
    EXPECT_EQ(ui.formAtMessage, formSnapshot(form));

    const ChannelConfig nothing{0, -1, -1, 0, -1, -1, 0, -1, 0, 0};
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        SCOPED_TRACE("channel " + std::to_string(n));
        const ChannelConfig& got = state.configuration.channel(n);
        const ChannelConfig& w = written.channel(n);
        if (n == 3 || n == 5 || n == 7) {
            EXPECT_EQ(got, nothing);
        } else if (n == 6 || n == 8) {
            // The local end was read; the remote end cannot be.
            EXPECT_EQ(got, (ChannelConfig{w.enabled, w.sensorType, w.localPort, w.localBaudrate,
                                          w.localMode, -1, 0, -1, w.priority, w.chunksize}));
        } else {
            EXPECT_EQ(got, w);
        }
    }
    // Channel 3 shows without its ports, and the next check says so.
    EXPECT_EQ(form.selectedIndex(controlId(3, OFFSET_LOCAL_PORT)), -1);
    EXPECT_EQ(form.selectedIndex(controlId(3, OFFSET_SENSOR_TYPE)), -1);
    EXPECT_EQ(form.text(controlId(3, OFFSET_LOCAL_BAUDRATE)), "0");
    EXPECT_FALSE(form.isChecked(controlId(3, OFFSET_ENABLED)));
    EXPECT_EQ(form.selectedIndex(controlId(6, OFFSET_REMOTE_PORT)), -1);
    EXPECT_EQ(form.text(controlId(6, OFFSET_REMOTE_BAUDRATE)), "0");
    ui.clear();
    EXPECT_EQ(validateConfiguration(state, form, ui), -1);
    EXPECT_EQ(ui.boxes(), std::vector<std::string>{"Invalid Port: Check Channel 3 Ports"});
}

TEST(ConfigurationFromBoards, RoutingOutsideTheTableAloneWarns) {
    ProgramState state;
    const MuxConfiguration written = writtenConfiguration(state);
    state.portRouting[static_cast<size_t>(written.channel(2).localPort)] = 8;
    HeadlessForm form = blankHeadlessForm();
    RecordingOperator ui;
    configurationFromBoards(state, form, ui);
    EXPECT_EQ(ui.boxes(), std::vector<std::string>{BOARDS_DISAGREE});
    EXPECT_EQ(state.configuration.channel(2).remotePort, -1);
    EXPECT_EQ(state.configuration.channel(1), written.channel(1));
}

}  // namespace
}  // namespace tivra::test
