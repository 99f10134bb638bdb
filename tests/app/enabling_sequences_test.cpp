// The operator ticks boxes and picks sensor types with mouse and keyboard; the rows open and
// close as the field-enabling rule says, and nothing the operator typed is lost on the way.

#include <QAbstractItemView>
#include <QCheckBox>
#include <QLineEdit>
#include <QTemporaryDir>

#include "app/app_bench.h"
#include "app/menu_bar.h"

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

    void click(int id) {
        QCheckBox* box = window().enableBox(id);
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
        const QPoint at = view->visualRect(index).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !view->window()->isVisible(); }, 2000));
        ASSERT_EQ(list->currentText(), entry);
    }
};

TEST_F(EnablingSequences, CheckingARowWithoutSensorTypeOpensAllButTheGeneralPurposeFields) {
    click(controlId(3, OFFSET_ENABLED));
    EXPECT_EQ(rowState(form(), 3), "on");
    for (int n : {1, 2, 4, 5, 6, 7, 8}) EXPECT_EQ(rowState(form(), n), "off") << n;
}

TEST_F(EnablingSequences, GeneralPurposeFieldsFollowTheSensorTypeAndKeepTheirContents) {
    const int n = 4;
    click(controlId(n, OFFSET_ENABLED));
    chooseByMouse(controlId(n, OFFSET_SENSOR_TYPE), QStringLiteral("GP Fixed"));
    EXPECT_EQ(rowState(form(), n), "gp");

    chooseByKeys(controlId(n, OFFSET_PRIORITY), QStringLiteral("5"));
    QLineEdit* size = window().textField(controlId(n, OFFSET_CHUNKSIZE));
    size->setFocus();
    QTest::keyClicks(size, "64");

    // Passing "GP Limit" on the way up keeps them open; "Echo" closes them, contents kept.
    chooseByKeys(controlId(n, OFFSET_SENSOR_TYPE), QStringLiteral("GP Limit"));
    EXPECT_EQ(rowState(form(), n), "gp");
    chooseByKeys(controlId(n, OFFSET_SENSOR_TYPE), QStringLiteral("Echo"));
    EXPECT_EQ(rowState(form(), n), "on");
    EXPECT_EQ(form().text(controlId(n, OFFSET_PRIORITY)), "5");
    EXPECT_EQ(form().text(controlId(n, OFFSET_CHUNKSIZE)), "64");
}

TEST_F(EnablingSequences, UncheckingAndCheckingAGeneralPurposeRowRestoresAllNine) {
    const int n = 6;
    click(controlId(n, OFFSET_ENABLED));
    chooseByKeys(controlId(n, OFFSET_SENSOR_TYPE), QStringLiteral("GP Limit"));
    click(controlId(n, OFFSET_ENABLED));
    EXPECT_EQ(rowState(form(), n), "off");
    click(controlId(n, OFFSET_ENABLED));
    EXPECT_EQ(rowState(form(), n), "gp");
    // The space bar on the box does what a click does.
    window().enableBox(controlId(n, OFFSET_ENABLED))->setFocus();
    QTest::keyClick(window().enableBox(controlId(n, OFFSET_ENABLED)), Qt::Key_Space);
    EXPECT_EQ(rowState(form(), n), "off");
}

TEST_F(EnablingSequences, OpeningAFileSetsEachRowFromItsValuesThenEditingGoesOn) {
    // Channel 5 on with "GP Fixed"; channel 6 off with "GP Limit".
    QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("c.smc")).toStdString();
    std::ofstream(path) << "[Channel 5]\r\nEnabled = 1\r\nSensor Type = 4\r\n"
                        << "[Channel 6]\r\nEnabled = 0\r\nSensor Type = 3\r\n";
    click(controlId(1, OFFSET_ENABLED));  // replaced by the file's channel 1 (off)
    ui.filesToOpen.push_back(path);
    app->menuItem(MENU_OPEN)->trigger();

    EXPECT_EQ(rowState(form(), 1), "off");
    EXPECT_EQ(rowState(form(), 5), "gp");
    EXPECT_EQ(rowState(form(), 6), "off");
    click(controlId(6, OFFSET_ENABLED));
    EXPECT_EQ(rowState(form(), 6), "gp");  // its list still reads "GP Limit"
    chooseByKeys(controlId(5, OFFSET_SENSOR_TYPE), QStringLiteral("QV Sonar"));
    EXPECT_EQ(rowState(form(), 5), "on");
}

}  // namespace
}  // namespace tivra::test
