// The two board buttons against the simulated board pair: the boxes in order, what reaches the
// boards, what the form shows afterwards, the wait cursor, and closing the link at the end.

#include <QCursor>
#include <QPushButton>
#include <QTemporaryDir>

#include "app/app_bench.h"
#include "config/channel_config.h"
#include "link/bridge_call.h"

namespace tivra::test {
namespace {

const std::vector<std::string> READ_OK = {"Success: Local configuration data read",
                                          "Success: Remote configuration data read"};
const std::vector<std::string> WRITE_OK = {"Success: Local configuration data written",
                                           "Success: Remote configuration data written"};

class BoardButtons : public AppBench {
  protected:
    void press(int id) { QTest::mouseClick(window().button(id), Qt::LeftButton); }
};

TEST_F(BoardButtons, ReadShowsWhatTheBoardsHold) {
    start();
    press(READ_BUTTON_ID);
    EXPECT_EQ(ui.boxes(), READ_OK);
    EXPECT_EQ(shown(), sim::BoardPair::factoryConfiguration());
    EXPECT_TRUE(app->state().link.boardLinkOpen);
    for (int n = 1; n <= CHANNEL_COUNT; ++n)
        EXPECT_EQ(form().text(controlId(n, OFFSET_REMOTE_PORT)), std::to_string(n));
}

TEST_F(BoardButtons, WriteThenReadGivesTheConfigurationBack) {
    start(exampleFile("mixed-sensors.smc"));
    const MuxConfiguration written = shown();
    ui.clear();
    press(WRITE_BUTTON_ID);
    EXPECT_EQ(ui.boxes(), WRITE_OK);
    EXPECT_EQ(boards.localBoard.ports, app->state().localPortTable);
    EXPECT_EQ(boards.remoteBoard.ports, app->state().remotePortTable);

    // The operator changes the form; a read puts the boards' configuration back.
    form().setChecked(controlId(1, OFFSET_ENABLED), false);
    form().setText(controlId(4, OFFSET_CHUNKSIZE), "7");
    ui.clear();
    press(READ_BUTTON_ID);
    EXPECT_EQ(ui.boxes(), READ_OK);  // and no "Configuration problem" warning
    EXPECT_EQ(shown(), written);
}

TEST_F(BoardButtons, ReadWithNoBoardLeavesTheOperatorsWorkAlone) {
    boards.settings.devices.clear();
    start(exampleFile("mixed-sensors.smc"));
    form().setText(controlId(2, OFFSET_LOCAL_BAUDRATE), "4800");
    form().setChecked(controlId(8, OFFSET_ENABLED), true);
    const MuxConfiguration edited = shown();
    ui.clear();
    press(READ_BUTTON_ID);
    const std::vector<std::string> expected(2, "No Local Board Found: Check USB cable and retry");
    EXPECT_EQ(ui.boxes(), expected);
    EXPECT_EQ(shown(), edited);
    EXPECT_FALSE(app->state().link.boardLinkOpen);
}

TEST_F(BoardButtons, ReadWithOneBoardAnsweringRebuildsTheForm) {
    boards.settings.faultsOnlyFor = 1;  // the RemoteBoard's read
    boards.settings.answers = false;
    start(exampleFile("mixed-sensors.smc"));
    ui.clear();
    press(READ_BUTTON_ID);
    const std::vector<std::string> expected = {"Success: Local configuration data read",
                                               "USB Fault : Failed to read configuration data"};
    const std::vector<std::string> boxes = ui.boxes();
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(boxes.begin(), boxes.begin() + 2), expected);
    // The local table is the factory one again: channel 2's local rate is the default now.
    EXPECT_EQ(form().text(controlId(2, OFFSET_LOCAL_BAUDRATE)), "57600");
}

TEST_F(BoardButtons, WriteOfAFormThatFailsItsCheckSendsNothing) {
    start();
    form().setChecked(controlId(1, OFFSET_ENABLED), true);
    press(WRITE_BUTTON_ID);
    const std::vector<std::string> expected(2, "Invalid Sensor: Check Channel 1 Sensor");
    EXPECT_EQ(ui.boxes(), expected);
    EXPECT_TRUE(boards.requests.empty());
    if (simulated != nullptr) {
        EXPECT_EQ(simulated->callCount(BridgeCall::GetNumDevices), 0u);
    }
}

// Passes every call on to the simulated pair and notes the cursor the operator sees meanwhile.
class CursorNotingBridge : public UsbBridge {
  public:
    explicit CursorNotingBridge(sim::BoardPair& boards) : inner_(boards) {}
    std::vector<Qt::CursorShape> shapes;

    int32_t getNumDevices(uint32_t* count) override { return note(), inner_.getNumDevices(count); }
    int32_t getProductString(uint32_t index, void* buffer, uint32_t kind) override {
        return note(), inner_.getProductString(index, buffer, kind);
    }
    int32_t open(uint32_t index, DeviceHandle* handle) override {
        return note(), inner_.open(index, handle);
    }
    int32_t close(DeviceHandle handle) override { return note(), inner_.close(handle); }
    int32_t read(DeviceHandle handle, void* buffer, uint32_t size, uint32_t* done,
                 void* overlapped) override {
        return note(), inner_.read(handle, buffer, size, done, overlapped);
    }
    int32_t write(DeviceHandle handle, const void* buffer, uint32_t size, uint32_t* done,
                  void* overlapped) override {
        return note(), inner_.write(handle, buffer, size, done, overlapped);
    }
    int32_t flushBuffers(DeviceHandle handle, uint8_t transmit, uint8_t receive) override {
        return note(), inner_.flushBuffers(handle, transmit, receive);
    }
    int32_t setTimeouts(uint32_t readMs, uint32_t writeMs) override {
        return note(), inner_.setTimeouts(readMs, writeMs);
    }
    int32_t checkRxQueue(DeviceHandle handle, uint32_t* bytes, uint32_t* status) override {
        return note(), inner_.checkRxQueue(handle, bytes, status);
    }
    int32_t setBaudRate(DeviceHandle handle, uint32_t rate) override {
        return note(), inner_.setBaudRate(handle, rate);
    }
    int32_t setLineControl(DeviceHandle handle, uint16_t control) override {
        return note(), inner_.setLineControl(handle, control);
    }

  private:
    void note() {
        const QCursor* cursor = QApplication::overrideCursor();
        shapes.push_back(cursor != nullptr ? cursor->shape() : Qt::ArrowCursor);
    }
    SimulatedBridge inner_;
};

TEST_F(BoardButtons, AnExchangeShowsTheWaitCursorWhileItRuns) {
    CursorNotingBridge* noting = nullptr;
    ApplicationSetup setup;
    setup.operatorOverride = &ui;
    setup.showSplash = false;
    setup.pause = &pause;
    setup.makeBridge = [&](std::string&) {
        auto bridge = std::make_unique<CursorNotingBridge>(boards);
        noting = bridge.get();
        return std::unique_ptr<UsbBridge>(std::move(bridge));
    };
    app = std::make_unique<Application>(std::move(setup));
    ASSERT_TRUE(app->startUp(exampleFile("mixed-sensors.smc")));

    press(READ_BUTTON_ID);
    press(WRITE_BUTTON_ID);
    EXPECT_EQ(ui.boxes().size(), 4u);
    ASSERT_NE(noting, nullptr);
    ASSERT_FALSE(noting->shapes.empty());
    for (Qt::CursorShape shape : noting->shapes) EXPECT_EQ(shape, Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the arrow again afterwards
}

TEST_F(BoardButtons, TheRealBoxesReportReadAndWriteInOrder) {
    // Qt's own message boxes, each answering itself and noting its title and text.
    QTemporaryDir folder;
    const std::string log = folder.filePath(QStringLiteral("boxes")).toStdString();
    ApplicationSetup setup;
    setup.boxLog = QString::fromStdString(log);
    setup.showSplash = false;
    setup.pause = &pause;
    setup.makeBridge = [this](std::string&) {
        return std::unique_ptr<UsbBridge>(std::make_unique<SimulatedBridge>(boards));
    };
    app = std::make_unique<Application>(std::move(setup));
    ASSERT_TRUE(app->startUp(exampleFile("mixed-sensors.smc")));
    EXPECT_EQ(window().windowTitle().toStdString(),
              "Quorvantel Ostrel RK-2    " + exampleFile("mixed-sensors.smc"));

    press(WRITE_BUTTON_ID);
    press(READ_BUTTON_ID);
    EXPECT_EQ(fileBytes(log),
              "Success: Local configuration data written\n"
              "Success: Remote configuration data written\n"
              "Success: Local configuration data read\n"
              "Success: Remote configuration data read\n");
}

TEST_F(BoardButtons, TheLinkIsClosedAtTheEndOnlyWhenAnExchangeOpenedIt) {
    start();
    app->shutDown();
    EXPECT_EQ(app->bridge(), nullptr);  // nothing was ever opened or closed

    start();
    press(READ_BUTTON_ID);
    ASSERT_NE(simulated, nullptr);
    EXPECT_EQ(simulated->callCount(BridgeCall::Close), 0u);
    app->shutDown();
    EXPECT_EQ(simulated->callCount(BridgeCall::Close), 1u);
}

TEST_F(BoardButtons, AnUnknownBridgeChoiceIsReportedAtEachExchange) {
    setenv("TIVRA_BRIDGE", "bogus", 1);
    ApplicationSetup setup;
    setup.operatorOverride = &ui;
    setup.showSplash = false;
    setup.pause = &pause;
    app = std::make_unique<Application>(std::move(setup));
    ASSERT_TRUE(app->startUp(""));
    press(READ_BUTTON_ID);
    press(WRITE_BUTTON_ID);
    const std::string refusal =
        "Alert: unknown bridge \"bogus\": use \"sim\" or \"serial:PATH\", or leave TIVRA_BRIDGE "
        "unset";
    EXPECT_EQ(ui.boxes(), std::vector<std::string>(2, refusal));

    // Set right, the next press talks to the simulated pair.
    setenv("TIVRA_BRIDGE", "sim", 1);
    ui.clear();
    press(READ_BUTTON_ID);
    unsetenv("TIVRA_BRIDGE");
    EXPECT_EQ(ui.boxes(), READ_OK);
}

}  // namespace
}  // namespace tivra::test
