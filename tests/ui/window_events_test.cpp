// What reaches the program from the window: the operator's own changes of the enable boxes and
// sensor type lists and the button presses, never the program's own changes; and what the
// operator types is what the form reads.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "config/controls.h"
#include "config/form_transfer.h"
#include "config/value_lists.h"
#include "ui/main_window.h"
#include "ui/qt_config_form.h"

namespace tivra::test {
namespace {

class WindowEvents : public ::testing::Test {
  protected:
    void SetUp() override {
        window.setControlHandler([this](int id) { events.push_back(id); });
        fillValueLists(form);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    // Opens the control for input, as the field-enabling rule would.
    QWidget* opened(int channel, int offset) {
        QWidget* widget = window.control(controlId(channel, offset));
        widget->setEnabled(true);
        widget->setFocus();
        return widget;
    }

    MainWindow window;
    QtConfigForm form{window};
    std::vector<int> events;
};

TEST_F(WindowEvents, OperatorChangesAreReportedAndProgramChangesAreNot) {
    form.setChecked(controlId(2, OFFSET_ENABLED), true);
    form.selectIndex(controlId(2, OFFSET_SENSOR_TYPE), 3);
    form.setText(controlId(2, OFFSET_SENSOR_TYPE), "echo");
    MuxConfiguration configuration;
    configuration.channel(4).enabled = 1;
    configuration.channel(4).sensorType = 4;
    showConfiguration(configuration, form);
    EXPECT_TRUE(events.empty());

    // A click on an enable box (also on its number at the right edge), a sensor type chosen with
    // the keyboard, both buttons. The space bar: enabling_sequences_test.cpp.
    QCheckBox* box = window.enableBox(controlId(3, OFFSET_ENABLED));
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    EXPECT_TRUE(box->isChecked());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 3, box->height() / 2));
    EXPECT_FALSE(box->isChecked());
    auto* sensor = qobject_cast<QComboBox*>(opened(3, OFFSET_SENSOR_TYPE));
    QTest::keyClick(sensor, Qt::Key_Down);
    EXPECT_EQ(sensor->currentText().toStdString(), "Pallion");  // the record showed "QV Sonar"
    QTest::mouseClick(window.button(READ_BUTTON_ID), Qt::LeftButton);
    QTest::mouseClick(window.button(WRITE_BUTTON_ID), Qt::LeftButton);
    EXPECT_EQ(events, (std::vector<int>{21, 21, 22, 94, 95}));
}

TEST_F(WindowEvents, OtherControlsReportNothing) {
    for (int offset = OFFSET_LOCAL_PORT; offset <= OFFSET_PRIORITY; ++offset)
        QTest::keyClick(opened(5, offset), Qt::Key_Down);
    QTest::keyClicks(opened(5, OFFSET_CHUNKSIZE), "12");
    EXPECT_TRUE(events.empty());
}

TEST_F(WindowEvents, TypedTextsReachTheRecordAsNumbers) {
    struct Typed {
        int offset;
        const char* keys;
    };
    const Typed typed[] = {
        {OFFSET_LOCAL_BAUDRATE, "31250"},  // not one of the entries
        {OFFSET_REMOTE_BAUDRATE, "57600 bit/s"},
        {OFFSET_CHUNKSIZE, " -5"},
    };
    for (const Typed& t : typed) {
        QWidget* target = opened(7, t.offset);
        if (auto* list = qobject_cast<QComboBox*>(target)) target = list->lineEdit();
        QTest::keyClicks(target, t.keys);
        QTest::keyClick(target, Qt::Key_Return);
        EXPECT_EQ(form.text(controlId(7, t.offset)), t.keys);
    }
    // Typing leaves the rate lists as they were: nothing added, nothing selected.
    EXPECT_EQ(window.list(controlId(7, OFFSET_LOCAL_BAUDRATE))->count(), 11);
    EXPECT_EQ(form.selectedIndex(controlId(7, OFFSET_LOCAL_BAUDRATE)), -1);
    MuxConfiguration configuration;
    formToConfiguration(form, configuration);
    EXPECT_EQ(configuration.channel(7).localBaudrate, 31250);
    EXPECT_EQ(configuration.channel(7).remoteBaudrate, 57600);
    EXPECT_EQ(configuration.channel(7).chunksize, -5);

    // A chosen rate shows in the edit field, and what is typed over it is what the form reads.
    auto* list = qobject_cast<QComboBox*>(opened(2, OFFSET_REMOTE_BAUDRATE));
    QTest::keyClick(list, Qt::Key_Down);  // the first entry, "600"
    EXPECT_EQ(form.text(controlId(2, OFFSET_REMOTE_BAUDRATE)), "600");
    list->lineEdit()->selectAll();
    QTest::keyClicks(list->lineEdit(), "1000");
    EXPECT_EQ(form.text(controlId(2, OFFSET_REMOTE_BAUDRATE)), "1000");
}

}  // namespace
}  // namespace tivra::test
