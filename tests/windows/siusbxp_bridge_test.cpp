// The real bridge library binding, run against stand-in libraries: the one beside this program
// exports the eleven operations by ordinal only and serves them from the simulated board pair.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/program_folder.h"
#include "config/form_transfer.h"
#include "link/bridge_choice.h"
#include "link/bridges/siusbxp.h"
#include "link/link_bench.h"
#include "link/wire_format.h"

namespace tivra::test {
namespace {

const std::string LOCAL_READ = "Success: Local configuration data read";
const std::string REMOTE_READ = "Success: Remote configuration data read";
const std::string LOCAL_WRITTEN = "Success: Local configuration data written";
const std::string REMOTE_WRITTEN = "Success: Remote configuration data written";
const std::string NO_BOARD = "No Local Board Found: Check USB cable and retry";

// The board link as the program runs it, over the bridge library found at `library`.
struct LibraryBench {
    explicit LibraryBench(const std::string& library = SIUSBXP_LIBRARY) : library(library) {}

    SiUsbXpBridge library;
    RecordingBridge bridge{library};
    FakePause pause;
    RecordingOperator ui;
    HeadlessForm form = blankHeadlessForm();
    ProgramState state;
    BoardContext context{state, form, ui, bridge, pause};

    // Program exit, then a new start on the same boards.
    void restart() {
        closeBoardLink(bridge, state.link);
        state = ProgramState{};
        form = blankHeadlessForm();
        bridge.calls.clear();
        ui.clear();
    }
};

std::string frameWrite(BoardCommand command, const ProgramState& state) {
    const auto frame = encodeBoardFrame(command, state);
    return "write(" + hexBytes(frame.data(), frame.size()) + ")";
}

TEST(SiUsbXpBridge, TheLibraryBesideTheProgramIsBoundByOrdinal) {
    LibraryBench bench;
    EXPECT_TRUE(bench.library.bound());
    // The platform's real bridge is this one.
    auto platform = makeSiUsbXpBridge();
    uint32_t count = 0;
    EXPECT_EQ(platform->getNumDevices(&count), 0);
    EXPECT_EQ(count, 1u);
}

TEST(SiUsbXpBridge, FullReadFromAFreshStart) {
    LibraryBench bench;
    fillTablesWithMarkers(bench.state);
    EXPECT_EQ(readConfigurationFromBoards(bench.context), 0);
    EXPECT_EQ(bench.ui.boxes(), (std::vector<std::string>{LOCAL_READ, REMOTE_READ}));
    EXPECT_EQ(
        bench.bridge.calls,
        joined(DISCOVERY_CALLS, {"flushBuffers(1, 1)", READ_LOCAL_REQUEST, "checkRxQueue",
                                 "read(3)", "read(194)", "flushBuffers(1, 1)", READ_REMOTE_REQUEST,
                                 "checkRxQueue", "read(3)", "read(176)"}));
    EXPECT_TRUE(bench.state.link.boardLinkOpen);
    EXPECT_EQ(bench.state.configuration, factoryConfiguration());
    MuxConfiguration shown;
    formToConfiguration(bench.form, shown);
    EXPECT_EQ(shown, factoryConfiguration());
}

TEST(SiUsbXpBridge, FullWriteThenReadAfterARestartGivesTheConfigurationBack) {
    LibraryBench bench;
    bench.form = headlessFormShowing(sampleConfiguration());
    EXPECT_EQ(writeConfigurationToBoards(bench.context), 0);
    EXPECT_EQ(bench.ui.boxes(), (std::vector<std::string>{LOCAL_WRITTEN, REMOTE_WRITTEN}));
    EXPECT_EQ(
        bench.bridge.calls,
        joined(DISCOVERY_CALLS,
               {"flushBuffers(1, 1)", frameWrite(BoardCommand::WriteLocal, bench.state),
                "checkRxQueue", "read(2)", "flushBuffers(1, 1)",
                frameWrite(BoardCommand::WriteRemote, bench.state), "checkRxQueue", "read(2)"}));
    const MuxConfiguration written = bench.state.configuration;  // as validation completed it

    // The library keeps one opener per device: discovery opens it again only if the close at
    // exit reached the library.
    bench.restart();
    EXPECT_EQ(readConfigurationFromBoards(bench.context), 0);
    EXPECT_EQ(bench.ui.boxes(), (std::vector<std::string>{LOCAL_READ, REMOTE_READ}));
    EXPECT_EQ(bench.state.configuration, written);
}

// A library that is missing, or that does not export the operations at their ordinals, reads as
// no device attached.
TEST(SiUsbXpBridge, UnboundLibraryReadsAsNoDeviceAttached) {
    const struct {
        const char* what;
        std::string path;
    } cases[] = {
        {"library exporting by name only", programFolder() + "by-name\\SiUSBXp.dll"},
        {"missing library", programFolder() + "missing\\SiUSBXp.dll"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LibraryBench bench(c.path);
        EXPECT_FALSE(bench.library.bound());

        EXPECT_EQ(readConfigurationFromBoards(bench.context), -1);
        EXPECT_EQ(bench.ui.boxes(), (std::vector<std::string>{NO_BOARD, NO_BOARD}));
        EXPECT_EQ(bench.bridge.calls,
                  (std::vector<std::string>{"getNumDevices -> 255", "getNumDevices -> 255"}));
        EXPECT_FALSE(bench.state.link.boardLinkOpen);

        bench.restart();
        bench.form = headlessFormShowing(sampleConfiguration());
        EXPECT_EQ(writeConfigurationToBoards(bench.context), -1);
        EXPECT_EQ(bench.ui.boxes(), (std::vector<std::string>{NO_BOARD, NO_BOARD}));

        // Every operation fails on its own too, and writes nothing it was not asked to.
        SiUsbXpBridge& library = bench.library;
        uint32_t count = 7;
        EXPECT_NE(library.getNumDevices(&count), 0);
        EXPECT_EQ(count, 0u);
        char text[PRODUCT_STRING_SIZE] = "untouched";
        DeviceHandle handle = nullptr;
        uint8_t bytes[4] = {};
        uint32_t done = 0;
        uint32_t waiting = 0;
        uint32_t status = 0;
        EXPECT_NE(library.getProductString(0, text, PRODUCT_DESCRIPTION), 0);
        EXPECT_STREQ(text, "untouched");
        EXPECT_NE(library.open(0, &handle), 0);
        EXPECT_NE(library.close(handle), 0);
        EXPECT_NE(library.read(handle, bytes, sizeof bytes, &done, nullptr), 0);
        EXPECT_NE(library.write(handle, bytes, sizeof bytes, &done, nullptr), 0);
        EXPECT_NE(library.flushBuffers(handle, 1, 1), 0);
        EXPECT_NE(library.setTimeouts(4096, 4096), 0);
        EXPECT_NE(library.checkRxQueue(handle, &waiting, &status), 0);
        EXPECT_NE(library.setBaudRate(handle, 57600), 0);
        EXPECT_NE(library.setLineControl(handle, 0x0801), 0);
    }
}

}  // namespace
}  // namespace tivra::test
