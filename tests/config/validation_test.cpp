#include "config/validation.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "config/number_text.h"
#include "config/value_lists.h"
#include "config_bench.h"

namespace tivra::test {
namespace {

using Edit = std::function<void(ConfigBench&)>;

// Board-side tables that no valid configuration produces, to see whether a check wrote them.
void fillSentinelTables(ProgramState& state) {
    for (size_t p = 0; p < PORT_COUNT; ++p) {
        state.localPortTable[p] = {9, 9, 9999, 9, 9, 9999};
        state.remotePortTable[p] = {-9, -9, -9999, -9, -9, -9999};
        state.portRouting[p] = 70 + static_cast<int32_t>(p);
    }
}

// Defaults on the form with channel 3 switched on, as a starting point that passes.
MuxConfiguration channel3On() {
    MuxConfiguration config = defaultConfiguration();
    config.channel(3).enabled = 1;
    return config;
}

struct FailingCase {
    std::string name;
    Edit edit;
    std::string box;  // "TITLE: TEXT"
};

TEST(ValidateConfiguration, ReportsTheFirstProblemAndChangesNothingElse) {
    const std::string sensor3 = "Invalid Sensor: Check Channel 3 Sensor";
    const std::string port3 = "Invalid Port: Check Channel 3 Ports";
    const std::string baud3 = "Invalid Baudrate: Check Channel 3 Baudrates";
    const std::string mode3 = "Invalid Mode: Check Channel 3 Mode";
    const std::string priority3 = "Invalid Priority: Check Channel 3 Priority";
    const std::string chunk3 = "Invalid Chunksize: Check Channel 3 Chunksize (400 maximum)";
    const auto text = [](int n, int offset, std::string t) {
        return [=](ConfigBench& b) { b.setText(n, offset, t); };
    };
    const auto select = [](int n, int offset, int position) {
        return [=](ConfigBench& b) { b.select(n, offset, position); };
    };
    const auto all = [](std::vector<Edit> edits) {
        return [=](ConfigBench& b) {
            for (const Edit& e : edits) e(b);
        };
    };
    const std::vector<FailingCase> cases = {
        // Each check of a switched-on channel.
        {"no sensor", select(3, OFFSET_SENSOR_TYPE, -1), sensor3},
        {"no local port", select(3, OFFSET_LOCAL_PORT, -1), port3},
        {"no remote port", select(3, OFFSET_REMOTE_PORT, -1), port3},
        {"empty local baud rate", text(3, OFFSET_LOCAL_BAUDRATE, ""), baud3},
        {"zero remote baud rate", text(3, OFFSET_REMOTE_BAUDRATE, "0"), baud3},
        {"negative baud rate", text(3, OFFSET_LOCAL_BAUDRATE, "-9600"), baud3},
        {"letters for a baud rate", text(3, OFFSET_LOCAL_BAUDRATE, "fast"), baud3},
        {"baud rate just above 460800", text(3, OFFSET_REMOTE_BAUDRATE, "460801"), baud3},
        {"baud rate 921600", text(3, OFFSET_LOCAL_BAUDRATE, "921600"), baud3},
        {"baud rate beyond 32 bits", text(3, OFFSET_LOCAL_BAUDRATE, "99999999999"), baud3},
        {"no local mode", select(3, OFFSET_LOCAL_MODE, -1), mode3},
        {"no remote mode", select(3, OFFSET_REMOTE_MODE, -1), mode3},
        {"no priority for a sonar", text(3, OFFSET_PRIORITY, ""), priority3},
        {"chunksize 0", text(3, OFFSET_CHUNKSIZE, "0"), chunk3},
        {"chunksize 401", text(3, OFFSET_CHUNKSIZE, "401"), chunk3},
        {"empty chunksize", text(3, OFFSET_CHUNKSIZE, ""), chunk3},
        {"negative chunksize", text(3, OFFSET_CHUNKSIZE, "-5"), chunk3},
        {"chunksize 70000 saturates", text(3, OFFSET_CHUNKSIZE, "70000"), chunk3},
        {"chunksize 65936 would wrap to 400", text(3, OFFSET_CHUNKSIZE, "65936"), chunk3},
        // The checks of one channel run in a fixed order.
        {"sensor before ports",
         all({select(3, OFFSET_SENSOR_TYPE, -1), select(3, OFFSET_LOCAL_PORT, -1),
              text(3, OFFSET_LOCAL_BAUDRATE, ""), select(3, OFFSET_LOCAL_MODE, -1),
              text(3, OFFSET_PRIORITY, ""), text(3, OFFSET_CHUNKSIZE, "0")}),
         sensor3},
        {"ports before baud rates",
         all({select(3, OFFSET_REMOTE_PORT, -1), text(3, OFFSET_LOCAL_BAUDRATE, ""),
              select(3, OFFSET_LOCAL_MODE, -1), text(3, OFFSET_PRIORITY, ""),
              text(3, OFFSET_CHUNKSIZE, "0")}),
         port3},
        {"baud rates before modes",
         all({text(3, OFFSET_REMOTE_BAUDRATE, "500000"), select(3, OFFSET_LOCAL_MODE, -1),
              text(3, OFFSET_PRIORITY, ""), text(3, OFFSET_CHUNKSIZE, "0")}),
         baud3},
        {"modes before priority",
         all({select(3, OFFSET_REMOTE_MODE, -1), text(3, OFFSET_PRIORITY, ""),
              text(3, OFFSET_CHUNKSIZE, "0")}),
         mode3},
        {"priority before chunksize",
         all({text(3, OFFSET_PRIORITY, ""), text(3, OFFSET_CHUNKSIZE, "0")}), priority3},
        // Channels are checked in order, switched on or off.
        {"channel 2 before channel 5",
         all({[](ConfigBench& b) { b.form.setChecked(controlId(2, OFFSET_ENABLED), true); },
              select(2, OFFSET_LOCAL_MODE, -1), select(3, OFFSET_SENSOR_TYPE, -1)}),
         "Invalid Mode: Check Channel 2 Mode"},
        {"switched-off channel 1 without a port", select(1, OFFSET_LOCAL_PORT, -1),
         "Invalid Port: Check Channel 1 Ports"},
        {"switched-off channel 8 without a remote port",
         all({select(8, OFFSET_REMOTE_PORT, -1), text(8, OFFSET_LOCAL_BAUDRATE, "")}),
         "Invalid Port: Check Channel 8 Ports"},
        {"channel checks before conflicts",
         all({select(2, OFFSET_LOCAL_PORT, 0), select(7, OFFSET_SENSOR_TYPE, -1),
              [](ConfigBench& b) { b.form.setChecked(controlId(7, OFFSET_ENABLED), true); }}),
         "Invalid Sensor: Check Channel 7 Sensor"},
        // Port conflicts.
        {"remote pair 1,4 before local pair 2,5",
         all({select(5, OFFSET_LOCAL_PORT, 1), select(4, OFFSET_REMOTE_PORT, 0)}),
         "Remote Port Conflict: Check Remote Ports On Channels 1 and 4"},
        {"local before remote for one pair",
         all({select(6, OFFSET_LOCAL_PORT, 2), select(6, OFFSET_REMOTE_PORT, 2)}),
         "Local Port Conflict: Check Local Ports On Channels 3 and 6"},
        {"switched-off channels conflict too", select(8, OFFSET_LOCAL_PORT, 6),
         "Local Port Conflict: Check Local Ports On Channels 7 and 8"},
        {"lower channel first", select(8, OFFSET_REMOTE_PORT, 1),
         "Remote Port Conflict: Check Remote Ports On Channels 2 and 8"},
    };
    for (const FailingCase& c : cases) {
        SCOPED_TRACE(c.name);
        ConfigBench b;
        fillSentinelTables(b.state);
        const ProgramState tablesBefore = b.state;
        b.show(channel3On());
        c.edit(b);
        const std::vector<std::string> formBefore = formSnapshot(b.form);

        EXPECT_EQ(validateConfiguration(b.state, b.form, b.ui), -1);
        EXPECT_EQ(b.ui.boxes(), std::vector<std::string>{c.box});
        EXPECT_EQ(b.state.localPortTable, tablesBefore.localPortTable);
        EXPECT_EQ(b.state.remotePortTable, tablesBefore.remotePortTable);
        EXPECT_EQ(b.state.portRouting, tablesBefore.portRouting);
        EXPECT_EQ(formSnapshot(b.form), formBefore);  // baud rates are not written back either
    }
}

TEST(ValidateConfiguration, BlankFormFailsAtChannel1Ports) {
    ConfigBench b;
    EXPECT_EQ(validateConfiguration(b.state, b.form, b.ui), -1);
    EXPECT_EQ(b.ui.boxes(), std::vector<std::string>{"Invalid Port: Check Channel 1 Ports"});
}

TEST(ValidateConfiguration, PassesAtTheEdgesOfEachCheck) {
    struct Case {
        std::string name;
        Edit edit;
    };
    const std::vector<Case> cases = {
        {"defaults", [](ConfigBench&) {}},
        {"chunksize 400", [](ConfigBench& b) { b.setText(3, OFFSET_CHUNKSIZE, "400"); }},
        {"chunksize 1", [](ConfigBench& b) { b.setText(3, OFFSET_CHUNKSIZE, "1"); }},
        {"baud rate 460800", [](ConfigBench& b) { b.setText(3, OFFSET_LOCAL_BAUDRATE, "460800"); }},
        {"baud rate 1", [](ConfigBench& b) { b.setText(3, OFFSET_REMOTE_BAUDRATE, "1"); }},
        {"typed priority kept", [](ConfigBench& b) { b.setText(3, OFFSET_PRIORITY, "10"); }},
        {"ports swapped",
         [](ConfigBench& b) {
             b.select(1, OFFSET_LOCAL_PORT, 1);
             b.select(2, OFFSET_LOCAL_PORT, 0);
         }},
        {"switched-off chunksize not checked",
         [](ConfigBench& b) { b.setText(5, OFFSET_CHUNKSIZE, "401"); }},
        {"switched-off baud rate above 460800",
         [](ConfigBench& b) { b.setText(5, OFFSET_LOCAL_BAUDRATE, "921600"); }},
        {"everything on",
         [](ConfigBench& b) {
             for (int n = 1; n <= CHANNEL_COUNT; ++n) {
                 b.form.setChecked(controlId(n, OFFSET_ENABLED), true);
                 b.select(n, OFFSET_SENSOR_TYPE, (n - 1) % 5);
             }
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConfigBench b;
        b.show(channel3On());
        c.edit(b);
        EXPECT_EQ(validateConfiguration(b.state, b.form, b.ui), 0);
        EXPECT_TRUE(b.ui.events.empty());
    }
}

TEST(ValidateConfiguration, DefaultsPassUnchanged) {
    ConfigBench b;
    b.show(defaultConfiguration());
    EXPECT_EQ(validateConfiguration(b.state, b.form, b.ui), 0);
    EXPECT_TRUE(b.ui.events.empty());
    EXPECT_EQ(b.state.configuration, defaultConfiguration());
    for (size_t p = 0; p < PORT_COUNT; ++p) {
        EXPECT_EQ(b.state.localPortTable[p], (PortSettings{0, 0, 57600, 0, 1, 10}));
        EXPECT_EQ(b.state.remotePortTable[p], (PortSettings{0, 0, 57600, 0, 1, 10}));
        EXPECT_EQ(b.state.portRouting[p], static_cast<int32_t>(p));
    }
}

TEST(ValidateConfiguration, CompletesSwitchedOffChannelsInTheRecordOnly) {
    struct Case {
        std::string name;
        Edit edit;
        ChannelConfig expected;     // channel 4 in the record afterwards
        std::string localBaudText;  // channel 4's baud rate controls afterwards
        std::string remoteBaudText;
    };
    // Channel 4 defaults: off, sonar, ports 3/3, 57600/57600, modes 0/0, priority 1, chunksize 10.
    const std::vector<Case> cases = {
        {"everything blank but the ports",
         [](ConfigBench& b) {
             b.select(4, OFFSET_SENSOR_TYPE, -1);
             b.setText(4, OFFSET_LOCAL_BAUDRATE, "19200");
             b.setText(4, OFFSET_REMOTE_BAUDRATE, "");
             b.select(4, OFFSET_LOCAL_MODE, 1);
             b.select(4, OFFSET_REMOTE_MODE, -1);
             b.setText(4, OFFSET_PRIORITY, "");
             b.setText(4, OFFSET_CHUNKSIZE, "");
         },
         {0, 3, 3, 9600, 0, 3, 9600, 0, 5, 50},
         "9600",
         "9600"},
        {"GP Fixed is not completed",
         [](ConfigBench& b) {
             b.select(4, OFFSET_SENSOR_TYPE, SENSOR_GP_FIXED);
             b.setText(4, OFFSET_PRIORITY, "");
             b.setText(4, OFFSET_CHUNKSIZE, "");
         },
         {0, 4, 3, 57600, 0, 3, 57600, 0, 0, 0},
         "57600",
         "57600"},
        {"sonar is not completed",
         [](ConfigBench& b) {
             b.setText(4, OFFSET_PRIORITY, "");
             b.setText(4, OFFSET_CHUNKSIZE, "-3");
         },
         {0, 0, 3, 57600, 0, 3, 57600, 0, 0, -3},
         "57600",
         "57600"},
        {"GP Limit chunksize 0 becomes 50, priority kept",
         [](ConfigBench& b) {
             b.select(4, OFFSET_SENSOR_TYPE, SENSOR_GP_LIMIT);
             b.setText(4, OFFSET_PRIORITY, "7");
             b.setText(4, OFFSET_CHUNKSIZE, "0");
         },
         {0, 3, 3, 57600, 0, 3, 57600, 0, 7, 50},
         "57600",
         "57600"},
        {"GP Limit chunksize 401 is kept",
         [](ConfigBench& b) {
             b.select(4, OFFSET_SENSOR_TYPE, SENSOR_GP_LIMIT);
             b.setText(4, OFFSET_CHUNKSIZE, "401");
         },
         {0, 3, 3, 57600, 0, 3, 57600, 0, 1, 401},
         "57600",
         "57600"},
        {"a rate above 460800 completes both ends",
         [](ConfigBench& b) {
             b.setText(4, OFFSET_LOCAL_BAUDRATE, "500000");
             b.setText(4, OFFSET_REMOTE_BAUDRATE, "19200");
         },
         {0, 0, 3, 9600, 0, 3, 9600, 0, 1, 10},
         "9600",
         "9600"},
        {"a negative rate completes both ends",
         [](ConfigBench& b) { b.setText(4, OFFSET_REMOTE_BAUDRATE, "-5"); },
         {0, 0, 3, 9600, 0, 3, 9600, 0, 1, 10},
         "9600",
         "9600"},
        {"rates beyond 32 bits complete both ends",
         [](ConfigBench& b) { b.setText(4, OFFSET_REMOTE_BAUDRATE, "99999999999"); },
         {0, 0, 3, 9600, 0, 3, 9600, 0, 1, 10},
         "9600",
         "9600"},
        {"460800 is a usable rate",
         [](ConfigBench& b) { b.setText(4, OFFSET_LOCAL_BAUDRATE, "460800"); },
         {0, 0, 3, 460800, 0, 3, 57600, 0, 1, 10},
         "460800",
         "57600"},
        {"one missing mode sets both",
         [](ConfigBench& b) {
             b.select(4, OFFSET_LOCAL_MODE, 1);
             b.select(4, OFFSET_REMOTE_MODE, -1);
         },
         {0, 0, 3, 57600, 0, 3, 57600, 0, 1, 10},
         "57600",
         "57600"},
        {"modes that are set stay",
         [](ConfigBench& b) {
             b.select(4, OFFSET_LOCAL_MODE, 1);
             b.select(4, OFFSET_REMOTE_MODE, 1);
         },
         {0, 0, 3, 57600, 1, 3, 57600, 1, 1, 10},
         "57600",
         "57600"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConfigBench b;
        b.show(defaultConfiguration());
        c.edit(b);
        std::vector<std::string> formBefore = formSnapshot(b.form);

        EXPECT_EQ(validateConfiguration(b.state, b.form, b.ui), 0);
        EXPECT_TRUE(b.ui.events.empty());
        EXPECT_EQ(b.state.configuration.channel(4), c.expected);
        // The tables carry the completed values.
        EXPECT_EQ(b.state.localPortTable[3],
                  (PortSettings{c.expected.enabled, c.expected.sensorType, c.expected.localBaudrate,
                                c.expected.localMode, c.expected.priority, c.expected.chunksize}));
        // The form shows what the operator left, except the baud rates.
        formBefore[static_cast<size_t>(controlId(4, OFFSET_LOCAL_BAUDRATE) - 1)] =
            std::to_string(controlId(4, OFFSET_LOCAL_BAUDRATE)) + " off -1 '" + c.localBaudText +
            "'";
        formBefore[static_cast<size_t>(controlId(4, OFFSET_REMOTE_BAUDRATE) - 1)] =
            std::to_string(controlId(4, OFFSET_REMOTE_BAUDRATE)) + " off -1 '" + c.remoteBaudText +
            "'";
        EXPECT_EQ(formSnapshot(b.form), formBefore);
    }
}

TEST(ValidateConfiguration, FailureKeepsCompletionsOfEarlierChannels) {
    ConfigBench b;
    b.show(defaultConfiguration());
    b.select(1, OFFSET_SENSOR_TYPE, -1);
    b.setText(1, OFFSET_PRIORITY, "");
    b.setText(1, OFFSET_LOCAL_BAUDRATE, "100000");
    b.select(2, OFFSET_SENSOR_TYPE, -1);
    b.select(2, OFFSET_REMOTE_PORT, -1);
    EXPECT_EQ(validateConfiguration(b.state, b.form, b.ui), -1);
    EXPECT_EQ(b.ui.boxes(), std::vector<std::string>{"Invalid Port: Check Channel 2 Ports"});
    EXPECT_EQ(b.state.configuration.channel(1),
              (ChannelConfig{0, 3, 0, 100000, 0, 0, 57600, 0, 5, 10}));
    EXPECT_EQ(b.state.configuration.channel(2).sensorType, SENSOR_GP_LIMIT);
    EXPECT_EQ(b.text(1, OFFSET_LOCAL_BAUDRATE), "100000");  // not snapped, not written back
}

TEST(ValidateConfiguration, SnapsAndShowsEveryBaudRate) {
    ConfigBench b;
    MuxConfiguration config = channel3On();
    config.channel(1).enabled = 1;
    b.show(config);
    struct Typed {
        int channel;
        int offset;
        std::string typed;
        std::string shown;
    };
    const Typed typed[] = {
        {1, OFFSET_LOCAL_BAUDRATE, "100000", "102400"},
        {1, OFFSET_REMOTE_BAUDRATE, "56000", "57600"},
        {2, OFFSET_LOCAL_BAUDRATE, "250000", "230400"},  // switched off: snapped too
        {3, OFFSET_REMOTE_BAUDRATE, "57600 bit/s", "57600"},
        {3, OFFSET_LOCAL_BAUDRATE, " 31250", "31779"},
        {8, OFFSET_REMOTE_BAUDRATE, "991", "990"},
    };
    for (const Typed& t : typed) b.setText(t.channel, t.offset, t.typed);
    ASSERT_EQ(validateConfiguration(b.state, b.form, b.ui), 0);
    for (const Typed& t : typed) {
        EXPECT_EQ(b.text(t.channel, t.offset), t.shown) << t.typed;
        const ChannelConfig& c = b.state.configuration.channel(t.channel);
        EXPECT_EQ(
            decimalOfField(t.offset == OFFSET_LOCAL_BAUDRATE ? c.localBaudrate : c.remoteBaudrate),
            t.shown);
    }
    EXPECT_EQ(b.state.localPortTable[0].baudrate, 102400);
    EXPECT_EQ(b.state.remotePortTable[0].baudrate, 57600);
    EXPECT_EQ(b.state.remotePortTable[7].baudrate, 990);
    // Untouched fields are shown in their own decimal too.
    EXPECT_EQ(b.text(5, OFFSET_LOCAL_BAUDRATE), "57600");
}

TEST(ValidateConfiguration, BuildsTheBoardTables) {
    const int local[] = {3, 0, 7, 1, 6, 2, 5, 4};
    const int remote[] = {5, 7, 0, 2, 1, 4, 6, 3};
    MuxConfiguration config;
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        ChannelConfig& c = config.channel(n);
        c.enabled = static_cast<int8_t>(n % 2);
        c.sensorType = static_cast<int8_t>(n % 5);
        c.localPort = static_cast<int8_t>(local[n - 1]);
        c.localBaudrate = BAUD_BASE / (n + 1);
        c.localMode = static_cast<int8_t>(n % 2);
        c.remotePort = static_cast<int8_t>(remote[n - 1]);
        c.remoteBaudrate = BAUD_BASE / (n + 10);
        c.remoteMode = static_cast<int8_t>((n + 1) % 2);
        c.priority = static_cast<int8_t>(n);
        c.chunksize = static_cast<int16_t>(n * 50);
    }
    ConfigBench b;
    fillSentinelTables(b.state);
    b.show(config);
    ASSERT_EQ(validateConfiguration(b.state, b.form, b.ui), 0);
    EXPECT_EQ(b.state.configuration, config);

    PortTable expectedLocal{};
    PortTable expectedRemote{};
    PortRouting expectedRouting{};
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        const ChannelConfig& c = config.channel(n);
        expectedLocal[static_cast<size_t>(c.localPort)] = {
            c.enabled, c.sensorType, c.localBaudrate, c.localMode, c.priority, c.chunksize};
        expectedRemote[static_cast<size_t>(c.remotePort)] = {
            c.enabled, c.sensorType, c.remoteBaudrate, c.remoteMode, c.priority, c.chunksize};
        expectedRouting[static_cast<size_t>(c.localPort)] = c.remotePort;
    }
    EXPECT_EQ(b.state.localPortTable, expectedLocal);
    EXPECT_EQ(b.state.remotePortTable, expectedRemote);
    EXPECT_EQ(b.state.portRouting, expectedRouting);
    // Spot-check one row by hand: channel 2 uses local port 0 and remote port 7.
    EXPECT_EQ(b.state.localPortTable[0], (PortSettings{0, 2, 307200, 0, 2, 100}));
    EXPECT_EQ(b.state.remotePortTable[7], (PortSettings{0, 2, 76800, 1, 2, 100}));
    EXPECT_EQ(b.state.portRouting[0], 7);
}

TEST(BuildPortTables, NeverWritesOutsideTheTables) {
    ProgramState state;
    fillSentinelTables(state);
    const ProgramState before = state;
    state.configuration = defaultConfiguration();
    state.configuration.channel(1).localPort = -1;
    state.configuration.channel(2).remotePort = 8;
    state.configuration.channel(3).localPort = 127;
    buildPortTables(state);
    EXPECT_EQ(state.localPortTable[0], before.localPortTable[0]);
    EXPECT_EQ(state.localPortTable[1], (PortSettings{0, 0, 57600, 0, 1, 10}));
    EXPECT_EQ(state.remotePortTable[1], before.remotePortTable[1]);
    EXPECT_EQ(state.localPortTable[2], before.localPortTable[2]);
    EXPECT_EQ(state.portRouting[0], before.portRouting[0]);
    EXPECT_EQ(state.portRouting[1], 8);
    EXPECT_EQ(state.portRouting[2], before.portRouting[2]);
    EXPECT_EQ(state.portRouting[3], 3);
}

TEST(SnapBaudrate, KnownResults) {
    struct Case {
        int32_t rate;
        int32_t snapped;
    };
    constexpr int32_t MAX32 = std::numeric_limits<int32_t>::max();
    constexpr int32_t MIN32 = std::numeric_limits<int32_t>::min();
    const Case cases[] = {
        {100000, 102400},
        {56000, 57600},
        {250000, 230400},
        {300000, 307200},
        {31250, 31779},
        {128000, 131657},
        {14400, 14400},
        {991, 990},
        // At and beyond the ends of the usable range: never a division by zero.
        {1, 1},
        {2, 2},
        {460800, 460800},
        {460801, 460800},
        {921599, 460800},
        {921600, 460800},
        {921601, 460800},
        {MAX32, 460800},
        {0, 0},
        {-1, 0},
        {-9600, 0},
        {MIN32, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(snapBaudrate(c.rate), c.snapped) << c.rate;
    for (std::string_view entry : BAUD_RATES) {
        const int32_t rate = numberValue(entry);
        EXPECT_EQ(snapBaudrate(rate), rate) << entry;
    }
}

TEST(SnapBaudrate, EveryUsableRateSnapsToARateOfTheBase) {
    int32_t previous = 0;
    for (int32_t rate = 1; rate <= BAUD_BASE / 2; ++rate) {
        const int32_t s = snapBaudrate(rate);
        ASSERT_GE(s, 1) << rate;
        ASSERT_LE(s, BAUD_BASE / 2) << rate;
        ASSERT_EQ(BAUD_BASE / (BAUD_BASE / s), s) << rate;  // s is BAUD_BASE / n
        ASSERT_EQ(snapBaudrate(s), s) << rate;
        ASSERT_GE(s, previous) << rate;  // never jumps back
        previous = s;
    }
}

}  // namespace
}  // namespace tivra::test
