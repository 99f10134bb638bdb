// The operator ticks boxes and picks sensor types with mouse and keyboard; the rows open and
// close as the field-enabling rule says, and nothing the operator typed is lost on the way. Rows
// set from an opened file: file_commands_window_test.cpp and the behaviour suite.

#include <QAbstractItemView>
#include <QCheckBox>
#include <QLineEdit>

#include "app/app_bench.h"

namespace tivra::test {
namespace {

// What a row lets the operator touch: "off" (nothing but the box), "on" (offsets +1..+7),
// "gp" (all nine); anything else is spelled out control by control.
std::string rowState(ConfigForm& form, int n) {
    std::string enabled;
    for (int offset = OFFSET_SENSOR_TYPE; offset <= OFFSET_CHUNKSIZE; ++offset)
        enabled += form.isEnabled(controlId(n, offset)) ? '1' : '0';
    if (!form.isEnabled(controlId(n, OFFSET_ENABLED))) return "box disabled";
    if (enabled == "000000000") return "off";
    if (enabled == "111111100") return "on";
    if (enabled == "111111111") return "gp";
    return enabled;
}

class EnablingSequences : public AppBench {
  protected:
    void SetUp() override {
        start();
        activate();
    }

    void click(int n) {
        QCheckBox* box = window().enableBox(controlId(n, OFFSET_ENABLED));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }

    // Picks an entry the way an operator does with the keyboard: focus, then arrow keys.
    void chooseByKeys(int id, const QString& entry) {
        QComboBox* list = window().list(id);
        list->setFocus();
        const int target = list->findText(entry);
        ASSERT_GE(target, 0);
        for (int guard = 0; list->currentIndex() != target && guard < 20; ++guard)
            QTest::keyClick(list, list->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_EQ(list->currentIndex(), target);
    }

    // Picks an entry from the opened list with the mouse.
    void chooseByMouse(int id, const QString& entry) {
        QComboBox* list = window().list(id);
        list->showPopup();
        QAbstractItemView* view = list->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
        const QModelIndex index = view->model()->index(list->findText(entry), 0);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !view->window()->isVisible(); }, 2000));
        ASSERT_EQ(list->currentText(), entry);
    }
};

TEST_F(EnablingSequences, RowsFollowTheBoxesAndSensorTypesAndKeepTheirContents) {
    // Checked without a sensor type: all but the general-purpose fields.
    click(4);
    for (int n = 1; n <= CHANNEL_COUNT; ++n) EXPECT_EQ(rowState(form(), n), n == 4 ? "on" : "off");
    chooseByMouse(controlId(4, OFFSET_SENSOR_TYPE), QStringLiteral("GP Fixed"));
    EXPECT_EQ(rowState(form(), 4), "gp");
    chooseByKeys(controlId(4, OFFSET_PRIORITY), QStringLiteral("5"));
    QLineEdit* size = window().textField(controlId(4, OFFSET_CHUNKSIZE));
    size->setFocus();
    QTest::keyClicks(size, "64");
    // Passing "GP Limit" on the way up keeps them open; "Echo" closes them, contents kept.
    chooseByKeys(controlId(4, OFFSET_SENSOR_TYPE), QStringLiteral("GP Limit"));
    EXPECT_EQ(rowState(form(), 4), "gp");
    chooseByKeys(controlId(4, OFFSET_SENSOR_TYPE), QStringLiteral("Echo"));
    EXPECT_EQ(rowState(form(), 4), "on");
    EXPECT_EQ(form().text(controlId(4, OFFSET_PRIORITY)), "5");
    EXPECT_EQ(form().text(controlId(4, OFFSET_CHUNKSIZE)), "64");

    // Unchecking and checking a general-purpose row restores all nine; the space bar does what
    // a click does.
    chooseByKeys(controlId(4, OFFSET_SENSOR_TYPE), QStringLiteral("GP Limit"));
    click(4);
    EXPECT_EQ(rowState(form(), 4), "off");
    click(4);
    EXPECT_EQ(rowState(form(), 4), "gp");
    window().enableBox(controlId(4, OFFSET_ENABLED))->setFocus();
    QTest::keyClick(window().enableBox(controlId(4, OFFSET_ENABLED)), Qt::Key_Space);
    EXPECT_EQ(rowState(form(), 4), "off");
}

}  // namespace
}  // namespace tivra::test
