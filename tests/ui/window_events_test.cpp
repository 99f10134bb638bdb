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

    MainWindow window;
    QtConfigForm form{window};
    std::vector<int> events;
};

TEST_F(WindowEvents, OperatorChangesAreReportedAndProgramChangesAreNot) {
    // The program's own changes.
    form.setChecked(controlId(2, OFFSET_ENABLED), true);
    form.selectIndex(controlId(2, OFFSET_SENSOR_TYPE), 3);
    form.setText(controlId(2, OFFSET_SENSOR_TYPE), "echo");
    MuxConfiguration configuration;
    configuration.channel(4).enabled = 1;
    configuration.channel(4).sensorType = 4;
    showConfiguration(configuration, form);
    EXPECT_TRUE(events.empty());

    // The operator's: a click on an enable box (also on its number at the right edge), the space
    // bar on it, a sensor type chosen with the keyboard, both buttons.
    QCheckBox* box = window.enableBox(controlId(3, OFFSET_ENABLED));
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    EXPECT_TRUE(box->isChecked());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 3, box->height() / 2));
    EXPECT_FALSE(box->isChecked());
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_TRUE(box->isChecked());

    QComboBox* sensor = window.list(controlId(3, OFFSET_SENSOR_TYPE));
    sensor->setEnabled(true);
    sensor->setFocus();
    QTest::keyClick(sensor, Qt::Key_Down);
    EXPECT_EQ(sensor->currentText().toStdString(), "Pallion");  // the record showed "QV Sonar"

    QTest::mouseClick(window.button(READ_BUTTON_ID), Qt::LeftButton);
    QTest::mouseClick(window.button(WRITE_BUTTON_ID), Qt::LeftButton);

    const std::vector<int> expected = {21, 21, 21, 22, 94, 95};
    EXPECT_EQ(events, expected);
}

TEST_F(WindowEvents, OtherControlsReportNothing) {
    const int channel = 5;
    for (int offset = OFFSET_LOCAL_PORT; offset <= OFFSET_PRIORITY; ++offset) {
        QComboBox* list = window.list(controlId(channel, offset));
        list->setEnabled(true);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
    }
    QLineEdit* size = window.textField(controlId(channel, OFFSET_CHUNKSIZE));
    size->setEnabled(true);
    QTest::keyClicks(size, "12");
    EXPECT_TRUE(events.empty());
}

TEST_F(WindowEvents, DisabledControlsTakeNoInput) {
    // Right after the lists are filled only the enable boxes and the buttons accept input.
    QComboBox* sensor = window.list(controlId(1, OFFSET_SENSOR_TYPE));
    QTest::mouseClick(sensor, Qt::LeftButton);
    QTest::keyClick(sensor, Qt::Key_Down);
    QLineEdit* size = window.textField(controlId(1, OFFSET_CHUNKSIZE));
    QTest::keyClicks(size, "99");
    EXPECT_EQ(sensor->currentIndex(), -1);
    EXPECT_EQ(form.text(controlId(1, OFFSET_CHUNKSIZE)), "");
    EXPECT_TRUE(events.empty());
}

TEST_F(WindowEvents, TypedTextsReachTheRecordAsNumbers) {
    struct Typed {
        int offset;
        const char* keys;
        const char* text;
    };
    const Typed typed[] = {
        {OFFSET_LOCAL_BAUDRATE, "31250", "31250"},  // not one of the entries
        {OFFSET_REMOTE_BAUDRATE, "57600 bit/s", "57600 bit/s"},
        {OFFSET_CHUNKSIZE, " -5", " -5"},
    };
    const int channel = 7;
    for (const Typed& t : typed) {
        QWidget* widget = window.control(controlId(channel, t.offset));
        widget->setEnabled(true);
        QWidget* target = widget;
        if (auto* list = qobject_cast<QComboBox*>(widget)) target = list->lineEdit();
        target->setFocus();
        QTest::keyClicks(target, t.keys);
        QTest::keyClick(target, Qt::Key_Return);
        EXPECT_EQ(form.text(controlId(channel, t.offset)), t.text);
    }
    // Typing leaves the rate lists as they were: nothing added, nothing selected.
    EXPECT_EQ(window.list(controlId(channel, OFFSET_LOCAL_BAUDRATE))->count(), 11);
    EXPECT_EQ(form.selectedIndex(controlId(channel, OFFSET_LOCAL_BAUDRATE)), -1);

    MuxConfiguration configuration;
    formToConfiguration(form, configuration);
    EXPECT_EQ(configuration.channel(channel).localBaudrate, 31250);
    EXPECT_EQ(configuration.channel(channel).remoteBaudrate, 57600);
    EXPECT_EQ(configuration.channel(channel).chunksize, -5);
}

TEST_F(WindowEvents, AChosenRateShowsInTheEditFieldAndCanBeTypedOver) {
    const int id = controlId(2, OFFSET_REMOTE_BAUDRATE);
    QComboBox* list = window.list(id);
    list->setEnabled(true);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);  // the first entry, "600"
    EXPECT_EQ(form.text(id), "600");
    list->lineEdit()->selectAll();
    QTest::keyClicks(list->lineEdit(), "1000");
    EXPECT_EQ(form.text(id), "1000");
}

}  // namespace
}  // namespace tivra::test
