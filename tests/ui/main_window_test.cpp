// The main window against the layout tables: every control's id, kind, place, size and hover
// text, the creation order, and the window itself.

#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <string>
#include <vector>

#include "ui/window_font.h"

namespace tivra::test {
namespace {

struct Place {
    int x, y, width, height;
};

void expectPlace(const QWidget* widget, Place place, const std::string& what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(widget->x(), place.x);
    EXPECT_EQ(widget->y(), place.y);
    EXPECT_EQ(widget->width(), place.width);
    EXPECT_EQ(widget->height(), place.height);
}

std::string text(const QString& s) {
    return s.toStdString();
}

class MainWindowLayout : public ::testing::Test {
  protected:
    MainWindow window;

    // The one control of the client area that carries this id.
    QWidget* byId(int id) {
        QWidget* found = nullptr;
        int count = 0;
        for (QWidget* child :
             window.clientArea()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (child->property(CONTROL_ID_PROPERTY).toInt() == id &&
                child->property(CONTROL_ID_PROPERTY).isValid()) {
                found = child;
                ++count;
            }
        }
        EXPECT_EQ(count, 1) << "controls with id " << id;
        return found;
    }
};

TEST_F(MainWindowLayout, FramesHaveTheirTitlesAndPlaces) {
    struct Row {
        int id;
        const char* title;
        Place place;
    };
    const Row frames[] = {
        {93, "Channel Enable", {10, 20, 130, 280}},
        {0, "Local Ports", {150, 20, 200, 280}},
        {84, "Remote Ports", {360, 20, 200, 280}},
        {89, "General Purpose Sensor", {570, 20, 160, 280}},
    };
    for (const Row& row : frames) {
        auto* box = qobject_cast<QGroupBox*>(byId(row.id));
        ASSERT_NE(box, nullptr) << "frame " << row.id;
        EXPECT_EQ(text(box->title()), row.title);
        expectPlace(box, row.place, row.title);
    }
}

TEST_F(MainWindowLayout, HeadingsHaveTheirTextsPlacesAndAlignment) {
    struct Row {
        int id;
        const char* text;
        Place place;
        bool centred;
    };
    const Row headings[] = {
        {81, "Port", {160, 40, 40, 20}, false},        {82, "Baudrate", {210, 40, 60, 20}, false},
        {83, "Type", {290, 40, 40, 20}, false},        {85, "Port", {370, 40, 40, 20}, false},
        {86, "Baudrate", {420, 40, 60, 20}, false},    {87, "Type", {500, 40, 40, 20}, false},
        {88, "Sensor", {80, 40, 50, 20}, true},        {90, "Priority", {580, 40, 60, 20}, false},
        {91, "Packet Size", {640, 40, 60, 20}, false}, {92, "Enable", {20, 40, 50, 20}, true},
    };
    for (const Row& row : headings) {
        auto* label = qobject_cast<QLabel*>(byId(row.id));
        ASSERT_NE(label, nullptr) << "heading " << row.id;
        EXPECT_EQ(text(label->text()), row.text);
        expectPlace(label, row.place, row.text);
        EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask,
                  row.centred ? Qt::AlignHCenter : Qt::AlignLeft)
            << row.text;
    }
}

enum class Kind { Check, List, Editable, Field };

TEST_F(MainWindowLayout, EveryRowControlHasItsKindPlaceAndHoverText) {
    struct Column {
        Kind kind;
        int x, width, height;
        const char* before;
        const char* after;
    };
    const Column columns[10] = {
        {Kind::Check, 20, 30, 20, "Enable Channel ", ""},
        {Kind::List, 60, 70, 80, "Channel ", " Sensor Type"},
        {Kind::List, 160, 40, 160, "Channel ", " Local Board Port Number"},
        {Kind::Editable, 210, 70, 220, "Channel ", " Local Baudrate"},
        {Kind::List, 290, 50, 60, "Channel ", " Local Comms Type"},
        {Kind::List, 370, 40, 160, "Channel ", " Remote Board Port Number"},
        {Kind::Editable, 420, 70, 220, "Channel ", " Remote Baudrate"},
        {Kind::List, 500, 50, 60, "Channel ", " Remote Comms Type"},
        {Kind::List, 580, 50, 200, "Channel ", " Priority (Generic Sensors Only)"},
        {Kind::Field, 640, 50, 20, "Channel ", " Data Packet Size (Generic Sensors Only)"},
    };
    for (int n = 1; n <= 8; ++n) {
        const int y = 60 + 30 * (n - 1);
        for (int offset = 0; offset < 10; ++offset) {
            const Column& column = columns[offset];
            const int id = 10 * (n - 1) + 1 + offset;
            SCOPED_TRACE("channel " + std::to_string(n) + " offset " + std::to_string(offset));
            QWidget* widget = byId(id);
            ASSERT_NE(widget, nullptr);

            std::string hover = std::string(column.before) + std::to_string(n) + column.after;
            if (n == 6 && offset == 0) hover = " Enable Channel 6";  // its leading blank
            EXPECT_EQ(text(widget->toolTip()), hover);

            switch (column.kind) {
                case Kind::Check: {
                    auto* box = qobject_cast<QCheckBox*>(widget);
                    ASSERT_NE(box, nullptr);
                    EXPECT_EQ(text(box->text()), std::to_string(n));
                    EXPECT_FALSE(box->isChecked());
                    expectPlace(box, {column.x, y, column.width, column.height}, "enable box");
                    break;
                }
                case Kind::List:
                case Kind::Editable: {
                    auto* list = qobject_cast<QComboBox*>(widget);
                    ASSERT_NE(list, nullptr);
                    EXPECT_EQ(list->isEditable(), column.kind == Kind::Editable);
                    EXPECT_EQ(list->count(), 0);
                    // Closed, a drop-down is as tall as its font makes it; opened, as the table.
                    expectPlace(list, {column.x, y, column.width, list->sizeHint().height()},
                                "drop-down");
                    EXPECT_EQ(list->property(OPENED_HEIGHT_PROPERTY).toInt(), column.height);
                    if (list->isEditable()) {
                        EXPECT_EQ(list->insertPolicy(), QComboBox::NoInsert);
                        EXPECT_EQ(list->completer(), nullptr);
                        EXPECT_EQ(list->currentText(), QString());
                    }
                    break;
                }
                case Kind::Field: {
                    auto* field = qobject_cast<QLineEdit*>(widget);
                    ASSERT_NE(field, nullptr);
                    EXPECT_TRUE(field->hasFrame());
                    EXPECT_EQ(field->text(), QString());
                    expectPlace(field, {column.x, y, column.width, column.height}, "packet size");
                    break;
                }
            }
        }
    }
}

TEST_F(MainWindowLayout, ButtonsHaveTheirCaptionsPlacesAndHoverTexts) {
    auto* read = qobject_cast<QPushButton*>(byId(94));
    auto* write = qobject_cast<QPushButton*>(byId(95));
    ASSERT_NE(read, nullptr);
    ASSERT_NE(write, nullptr);
    EXPECT_EQ(text(read->text()), "Read Configuration");
    EXPECT_EQ(text(read->toolTip()), "Read Configuration From Attached Boards");
    expectPlace(read, {10, 310, 150, 30}, "read");
    EXPECT_EQ(text(write->text()), "Write Configuration");
    EXPECT_EQ(text(write->toolTip()), "Write Configuration To Attached Boards");
    expectPlace(write, {170, 310, 150, 30}, "write");
}

TEST_F(MainWindowLayout, ControlsAreMadeInTheirOrder) {
    // Frames, headings, rows 1..8 from offset 0 to 9, then the two buttons; the order is also
    // the keyboard's tab order and the stacking order (later controls above the frames).
    std::vector<int> expected = {93, 0, 84, 89, 81, 82, 83, 85, 86, 87, 88, 90, 91, 92};
    for (int id = 1; id <= 80; ++id) expected.push_back(id);
    expected.push_back(94);
    expected.push_back(95);

    std::vector<int> actual;
    for (QObject* child : window.clientArea()->children()) {
        const QVariant id = child->property(CONTROL_ID_PROPERTY);
        if (id.isValid()) actual.push_back(id.toInt());
    }
    EXPECT_EQ(actual, expected);
}

TEST_F(MainWindowLayout, WindowIsFixedCentredHiddenAndTitled) {
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(text(window.windowTitle()), "Quorvantel Ostrel RK-2");
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_TRUE(window.testAttribute(Qt::WA_AlwaysShowToolTips));

    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);

    // The client area below the menu bar is 739 x 354 and the window cannot be resized.
    EXPECT_EQ(window.clientArea()->size(), QSize(739, 354));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    QMenuBar probe;
    probe.addAction(QStringLiteral("Configuration"));
    EXPECT_EQ(window.size(), QSize(739, 354 + probe.sizeHint().height()));

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window.x(), (screen.width() - window.width()) / 2);
    EXPECT_EQ(window.y(), (screen.height() - window.height()) / 2);
}

TEST_F(MainWindowLayout, EveryFixedTextFitsItsControl) {
    EXPECT_TRUE(fixedTextsFit(window.font()));
    EXPECT_LE(window.font().pointSizeF(), 8.0);
    // A desktop face too wide for the layout is made smaller until the texts fit.
    const QFont wide = fitToLayout(QFont(QStringLiteral("DejaVu Sans"), 10));
    EXPECT_TRUE(fixedTextsFit(wide));
    EXPECT_LT(wide.pointSizeF(), 10.0);
}

TEST_F(MainWindowLayout, UnknownIdsAreRefused) {
    for (int id : {-1, 96, 100}) EXPECT_THROW(window.control(id), std::out_of_range) << id;
}

}  // namespace
}  // namespace tivra::test
