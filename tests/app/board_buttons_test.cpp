// The two board buttons through the window against the simulated board pair: the boxes in
// order, what reaches the boards, what the form shows afterwards, the wait cursor, the bridge
// choice, and closing the link at the end. The exchanges byte for byte, every failure row (and
// what a failed read leaves of the form) and a form that fails its check:
// tests/link/exchange_test.cpp.

#include <QElapsedTimer>

#include "app/app_bench.h"
#include "link/bridge_call.h"

namespace tivra::test {
namespace {

const std::vector<std::string> READ_OK = {"Success: Local configuration data read",
                                          "Success: Remote configuration data read"};

class BoardButtons : public AppBench {};

TEST_F(BoardButtons, WriteThenReadGivesTheConfigurationBackWithTheRealBoxesInOrder) {
    // Qt's own message boxes, each answering itself and noting its title and text.
    const std::string path = exampleFile("mixed-sensors.smc");
    const std::string log = folder.file("boxes");
    start(path, [&](ApplicationSetup& setup) {
        setup.operatorOverride = nullptr;
        setup.boxLog = QString::fromStdString(log);
    });
    EXPECT_EQ(window().windowTitle().toStdString(), "Quorvantel Ostrel RK-2    " + path);
    const MuxConfiguration written = shown();
    press(WRITE_BUTTON_ID);
    EXPECT_EQ(boards.localBoard.ports, app->state().localPortTable);
    EXPECT_EQ(boards.remoteBoard.ports, app->state().remotePortTable);

    // The operator changes the form; a read puts the boards' configuration back.
    form().setChecked(controlId(1, OFFSET_ENABLED), false);
    form().setText(controlId(4, OFFSET_CHUNKSIZE), "7");
    press(READ_BUTTON_ID);
    EXPECT_EQ(shown(), written);
    EXPECT_EQ(readBytes(log),
              "Success: Local configuration data written\n"
              "Success: Remote configuration data written\n"
              "Success: Local configuration data read\n"
              "Success: Remote configuration data read\n");  // no "Configuration problem"

    // The wait cursor while the exchanges ran, the arrow again afterwards.
    EXPECT_EQ(pause.cursors, std::vector<Qt::CursorShape>(4, Qt::WaitCursor));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The link the exchanges opened is closed once, at the end.
    ASSERT_NE(simulated, nullptr);
    EXPECT_EQ(simulated->callCount(BridgeCall::Close), 0u);
    app->shutDown();
    EXPECT_EQ(simulated->callCount(BridgeCall::Close), 1u);
}

// Without a bridge or a pause from the test: TIVRA_BRIDGE picks the bridge, and the program
// really waits its 10 ms at each of a read's two looks at the receive queue.
TEST_F(BoardButtons, AnUnknownBridgeChoiceIsReportedAtEachExchangeAndTheRealPauseWaits) {
    setenv("TIVRA_BRIDGE", "bogus", 1);
    start("", [](ApplicationSetup& setup) {
        setup.makeBridge = nullptr;
        setup.pause = nullptr;
    });
    press(READ_BUTTON_ID);
    press(WRITE_BUTTON_ID);
    EXPECT_EQ(ui.boxes(), std::vector<std::string>(
                              2,
                              "Alert: unknown bridge \"bogus\": use \"sim\" or \"serial:PATH\", "
                              "or leave TIVRA_BRIDGE unset"));
    // Set right, the next press talks to the simulated pair.
    setenv("TIVRA_BRIDGE", "sim", 1);
    ui.clear();
    QElapsedTimer took;
    took.start();
    press(READ_BUTTON_ID);
    EXPECT_GE(took.elapsed(), 20);
    unsetenv("TIVRA_BRIDGE");
    EXPECT_EQ(ui.boxes(), READ_OK);
    EXPECT_TRUE(pause.cursors.empty());
}

}  // namespace
}  // namespace tivra::test
