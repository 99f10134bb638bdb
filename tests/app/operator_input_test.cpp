// The operator ticks boxes, picks sensor types, types and presses the board buttons with mouse
// and keyboard: the enable boxes, the sensor type lists and the buttons report to the program, the
// other controls do not; the rows open and close as the field-enabling rule says, nothing typed
// is lost on the way; the buttons talk to the boards.

#include <QAbstractItemView>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>

#include "app/app_bench.h"
#include "boards/bridge_choice.h"
#include "link/bridge_call.h"
#include "support/config_form_behaviour.h"

namespace tivra::test {
namespace {

class OperatorInput : public AppBench {
  protected:
    void SetUp() override {
        start();
        activate();
        // What reaches the program, noted on the way.
        window().setControlHandler([this](int id) {
            events.push_back(id);
            app->controlEvent(id);
        });
    }

    // A click on the box, or on its number at the right edge.
    void click(int n, bool onTheNumber = false) {
        QCheckBox* box = window().enableBox(controlId(n, OFFSET_ENABLED));
        const int x = onTheNumber ? box->width() - 3 : 6;
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(x, box->height() / 2));
    }

    // Picks an entry the way an operator does with the keyboard: focus, then arrow keys.
    void chooseByKeys(int id, const QString& entry) {
        QComboBox* list = window().list(id);
        list->setFocus();
        const int target = list->findText(entry);
        for (int guard = 0; list->currentIndex() != target && guard < 20; ++guard)
            QTest::keyClick(list, list->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_EQ(list->currentIndex(), target);
    }

    // Gives a control the focus, opened for input by hand as the field-enabling rule would.
    QWidget* opened(int channel, int offset) {
        QWidget* widget = window().control(controlId(channel, offset));
        widget->setEnabled(true);
        widget->setFocus();
        return widget;
    }

    std::vector<int> events;
};

TEST_F(OperatorInput, RowsFollowTheBoxesAndSensorTypesAndOnlyTheseAndTheButtonsReport) {
    // Checked without a sensor type: all but the general-purpose fields.
    const auto row4 = [this] { return enabling(form())[3]; };
    click(4);
    EXPECT_EQ(enabling(form()), (std::vector<std::string>{OFF, OFF, OFF, ON, OFF, OFF, OFF, OFF}));
    // GP Fixed, picked from the opened list with the mouse.
    QComboBox* sensor = window().list(controlId(4, OFFSET_SENSOR_TYPE));
    sensor->showPopup();
    QAbstractItemView* view = sensor->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    const QModelIndex index = view->model()->index(sensor->findText(QStringLiteral("GP Fixed")), 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->window()->isVisible(); }, 2000));
    ASSERT_EQ(sensor->currentText(), "GP Fixed");
    EXPECT_EQ(row4(), ON_GENERAL_PURPOSE);
    chooseByKeys(controlId(4, OFFSET_PRIORITY), QStringLiteral("5"));
    QTest::keyClicks(opened(4, OFFSET_CHUNKSIZE), "64");  // open by now, as the rule says
    // Passing "GP Limit" on the way up keeps them open; "Echo" closes them, contents kept.
    chooseByKeys(controlId(4, OFFSET_SENSOR_TYPE), QStringLiteral("GP Limit"));
    EXPECT_EQ(row4(), ON_GENERAL_PURPOSE);
    chooseByKeys(controlId(4, OFFSET_SENSOR_TYPE), QStringLiteral("Echo"));
    EXPECT_EQ(row4(), ON);
    EXPECT_EQ(form().text(controlId(4, OFFSET_PRIORITY)), "5");
    EXPECT_EQ(form().text(controlId(4, OFFSET_CHUNKSIZE)), "64");

    // Unchecking and checking a general-purpose row restores all nine; the space bar does what
    // a click does.
    chooseByKeys(controlId(4, OFFSET_SENSOR_TYPE), QStringLiteral("GP Limit"));
    click(4, true);
    EXPECT_EQ(row4(), OFF);
    click(4);
    EXPECT_EQ(row4(), ON_GENERAL_PURPOSE);
    QTest::keyClick(opened(4, OFFSET_ENABLED), Qt::Key_Space);
    EXPECT_EQ(row4(), OFF);
    press(READ_BUTTON_ID);
    press(WRITE_BUTTON_ID);
    EXPECT_EQ(events, (std::vector<int>{31, 32, 32, 32, 32, 31, 31, 31, 94, 95}));

    // The other controls report nothing. (The program's own changes cannot: the form's setters
    // block the controls' signals.)
    events.clear();
    for (int offset = OFFSET_LOCAL_PORT; offset <= OFFSET_PRIORITY; ++offset)
        QTest::keyClick(opened(5, offset), Qt::Key_Down);
    QTest::keyClicks(opened(5, OFFSET_CHUNKSIZE), "12");
    EXPECT_TRUE(events.empty());
}

// The two board buttons against the simulated board pair: the boxes in order, what reaches the
// boards, what the form shows afterwards, the wait cursor, the bridge choice, and closing the
// link at the end. The exchanges byte for byte, every failure row (and what a failed read leaves
// of the form) and a form that fails its check: tests/link/exchange_test.cpp.

class BoardButtons : public AppBench {};

TEST_F(BoardButtons, WriteThenReadGivesTheConfigurationBackWithTheRealBoxesInOrder) {
    // Qt's own message boxes, each answering itself and noting its title and text.
    const std::string path = sourcePath("examples/mixed-sensors.smc");
    const std::string log = folder.file("boxes");
    start(path, [&](ApplicationSetup& setup) {
        setup.operatorOverride = nullptr;
        setup.boxLog = QString::fromStdString(log);
    });
    EXPECT_EQ(window().windowTitle().toStdString(), "Quorvantel Ostrel RK-2    " + path);
    const MuxConfiguration written = readForm(form());
    press(WRITE_BUTTON_ID);
    EXPECT_EQ(boards.localBoard.ports, app->state().localPortTable);
    EXPECT_EQ(boards.remoteBoard.ports, app->state().remotePortTable);

    // The operator changes the form; a read puts the boards' configuration back.
    form().setChecked(controlId(1, OFFSET_ENABLED), false);
    form().setText(controlId(4, OFFSET_CHUNKSIZE), "7");
    press(READ_BUTTON_ID);
    EXPECT_EQ(readForm(form()), written);
    // No Alert that the boards disagree.
    EXPECT_EQ(readBytes(log), LOCAL_WRITTEN + '\n' + REMOTE_WRITTEN + '\n' + LOCAL_READ + '\n' +
                                  REMOTE_READ + '\n');

    // The wait cursor while the exchanges ran, the arrow again afterwards.
    EXPECT_EQ(pause.cursors, std::vector<Qt::CursorShape>(4, Qt::WaitCursor));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The link the exchanges opened is closed once, at the end.
    EXPECT_EQ(simulated->callCount(BridgeCall::Close), 0u);
    app->shutDown();
    EXPECT_EQ(simulated->callCount(BridgeCall::Close), 1u);
}

// Without a bridge or a pause from the test: TIVRA_BRIDGE picks the bridge, and the program
// really waits its 10 ms at each of a read's two looks at the receive queue.
TEST_F(BoardButtons, AnUnknownBridgeChoiceIsReportedAtEachExchangeAndTheRealPauseWaits) {
    setVariable("TIVRA_BRIDGE", "bogus");
    start("", [](ApplicationSetup& setup) {
        setup.makeBridge = nullptr;
        setup.pause = nullptr;
    });
    press(READ_BUTTON_ID);
    press(WRITE_BUTTON_ID);
    EXPECT_EQ(ui.boxes(),
              std::vector<std::string>(2, "Alert: unknown bridge \"bogus\": use " +
                                              std::string(bridgeValuesOfThisPlatform())));
    // Set right, the next press talks to the simulated pair.
    setVariable("TIVRA_BRIDGE", "sim");
    ui.clear();
    QElapsedTimer took;
    took.start();
    press(READ_BUTTON_ID);
    EXPECT_GE(took.elapsed(), 20);
    setVariable("TIVRA_BRIDGE", "");
    EXPECT_EQ(ui.boxes(), (std::vector{LOCAL_READ, REMOTE_READ}));
    EXPECT_TRUE(pause.cursors.empty());
}

}  // namespace
}  // namespace tivra::test
