#include "config/board_rebuild.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "config_bench.h"

namespace tivra::test {
namespace {

// The remote ends of channels 3 and 6 changed in one field: a channel takes its shared fields from
// the local end, and the program warns once when they disagree.
TEST(ConfigurationFromBoards, WarnsOnceWhenTheBoardsDisagree) {
    for (int field = 0; field < 6; ++field) {  // enabled, sensor, rate, mode, priority, chunksize
        SCOPED_TRACE(field);
        ConfigBench b;
        MuxConfiguration expected = writtenConfiguration(b);
        const auto flip = [&](int f) { return field == f; };
        for (int n : {3, 6}) {
            PortSettings& r = b.state.remotePortTable[size_t(expected.channel(n).remotePort)];
            r = {int8_t(r.enabled ^ flip(0)),  int8_t(r.sensorType ^ flip(1)),
                 r.baudrate ^ flip(2),         int8_t(r.mode ^ flip(3)),
                 int8_t(r.priority ^ flip(4)), int16_t(r.chunksize ^ flip(5))};
            expected.channel(n).remoteBaudrate = r.baudrate;
            expected.channel(n).remoteMode = r.mode;
        }
        configurationFromBoards(b.state, b.form, b.ui);
        EXPECT_EQ(b.state.configuration, expected);
        EXPECT_EQ(b.ui.boxes(), flip(2) || flip(3) ? Calls{} : Calls{BOARDS_DISAGREE});
    }
}

// Ports a board names outside the tables: the channel shows without them, and the warning comes
// once the form shows what was read.
TEST(ConfigurationFromBoards, PortsOutsideTheTablesAreNeverRead) {
    ConfigBench b;
    const MuxConfiguration written = writtenConfiguration(b);
    b.state.channelPortMap[2] = 8;                                    // channel 3
    b.state.channelPortMap[4] = -1;                                   // channel 5
    b.state.channelPortMap[6] = std::numeric_limits<int32_t>::min();  // channel 7
    b.state.portRouting[size_t(written.channel(6).localPort)] = 9;
    b.state.portRouting[size_t(written.channel(8).localPort)] = std::numeric_limits<int32_t>::max();

    configurationFromBoards(b.state, b.form, b.ui);
    EXPECT_EQ(b.ui.boxes(), Calls{BOARDS_DISAGREE});
    EXPECT_EQ(b.ui.formAtMessage, formSnapshot(b.form));

    MuxConfiguration expected = written;
    for (int n : {3, 5, 7}) expected.channel(n) = {0, -1, -1, 0, -1, -1, 0, -1, 0, 0};
    for (int n : {6, 8}) {  // the local end was read; the remote end cannot be
        expected.channel(n).remotePort = -1;
        expected.channel(n).remoteBaudrate = 0;
        expected.channel(n).remoteMode = -1;
    }
    EXPECT_EQ(b.state.configuration, expected);
    // Channel 3 shows without its ports (how a form shows them: the behaviour suite), and the
    // next check says so.
    EXPECT_EQ(formSnapshot(b.form), formSnapshot(headlessFormShowing(expected)));
    b.ui.clear();
    EXPECT_EQ(validateConfiguration(b.state, b.form, b.ui), -1);
    EXPECT_EQ(b.ui.boxes(), std::vector<std::string>{"Invalid Port: Check Channel 3 Ports"});
}

}  // namespace
}  // namespace tivra::test
