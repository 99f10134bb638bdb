// The main window against the layout tables: every control's id, kind, place, size and hover
// text in creation order, and the window itself. What the controls hold when new is the
// behaviour suite's NewFormIsEmptyAndEnabled.

#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string>
#include <vector>

#include "ui/drop_down_list.h"
#include "ui/window_font.h"

namespace tivra::test {
namespace {

std::string quoted(const QString& s) {
    return '"' + s.toStdString() + '"';
}

// "ID KIND @X,Y WxH HOVER"; a drop-down gives its opened height, as the tables do.
std::string describe(QWidget* widget) {
    std::string kind;
    int height = widget->height();
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
        kind = "frame " + quoted(frame->title());
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        const auto align = label->alignment() & Qt::AlignHorizontal_Mask;
        kind = "heading " + quoted(label->text()) +
               (align == Qt::AlignHCenter ? " centred"
                : align == Qt::AlignLeft  ? ""
                                          : " ?");
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        kind = "button " + quoted(button->text());
    } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        kind = "check " + quoted(box->text());
    } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
        // Closed, a drop-down is as tall as its font makes it; its pop-up waits for its opening.
        EXPECT_EQ(height, list->sizeHint().height());
        EXPECT_EQ(list->findChild<QAbstractItemView*>(), nullptr);
        height = static_cast<DropDownList*>(list)->openedHeight();
        kind = list->isEditable() ? "editable" : "list";
        if (list->isEditable() &&
            (list->insertPolicy() != QComboBox::NoInsert || list->completer() != nullptr))
            kind += " that adds or completes";
    } else if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        kind = field->hasFrame() ? "field" : "frameless field";
    }
    std::string text = widget->property(CONTROL_ID_PROPERTY).toString().toStdString() + ' ' + kind +
                       " @" + std::to_string(widget->x()) + ',' + std::to_string(widget->y()) +
                       ' ' + std::to_string(widget->width()) + 'x' + std::to_string(height);
    if (!widget->toolTip().isEmpty()) text += ' ' + quoted(widget->toolTip());
    return text;
}

// Frames, headings, rows 1..8 from offset 0 to 9, then the two buttons; the creation order is
// also the keyboard's tab order and the stacking order (later controls above the frames).
std::vector<std::string> expectedControls() {
    std::vector<std::string> expected = {
        "93 frame \"Channel Enable\" @10,20 130x280",
        "0 frame \"Local Ports\" @150,20 200x280",
        "84 frame \"Remote Ports\" @360,20 200x280",
        "89 frame \"General Purpose Sensor\" @570,20 160x280",
        "81 heading \"Port\" @160,40 40x20",
        "82 heading \"Baudrate\" @210,40 60x20",
        "83 heading \"Type\" @290,40 40x20",
        "85 heading \"Port\" @370,40 40x20",
        "86 heading \"Baudrate\" @420,40 60x20",
        "87 heading \"Type\" @500,40 40x20",
        "88 heading \"Sensor\" centred @80,40 50x20",
        "90 heading \"Priority\" @580,40 60x20",
        "91 heading \"Packet Size\" @640,40 60x20",
        "92 heading \"Enable\" centred @20,40 50x20",
    };
    // A row's controls; "#" stands for the channel number, "Y" for the row's y.
    const std::string columns[10] = {
        "check \"#\" @20,Y 30x20 \"Enable Channel #\"",
        "list @60,Y 70x80 \"Channel # Sensor Type\"",
        "list @160,Y 40x160 \"Channel # Local Board Port Number\"",
        "editable @210,Y 70x220 \"Channel # Local Baudrate\"",
        "list @290,Y 50x60 \"Channel # Local Comms Type\"",
        "list @370,Y 40x160 \"Channel # Remote Board Port Number\"",
        "editable @420,Y 70x220 \"Channel # Remote Baudrate\"",
        "list @500,Y 50x60 \"Channel # Remote Comms Type\"",
        "list @580,Y 50x200 \"Channel # Priority (Generic Sensors Only)\"",
        "field @640,Y 50x20 \"Channel # Data Packet Size (Generic Sensors Only)\"",
    };
    for (int n = 1; n <= 8; ++n) {
        for (int offset = 0; offset < 10; ++offset) {
            std::string line = std::to_string(10 * (n - 1) + 1 + offset) + ' ' + columns[offset];
            for (size_t at; (at = line.find('#')) != std::string::npos;)
                line.replace(at, 1, std::to_string(n));
            line.replace(line.find('Y'), 1, std::to_string(60 + 30 * (n - 1)));
            if (n == 6 && offset == 0) line.replace(line.find("\"Enable"), 1, "\" ");  // its blank
            expected.push_back(line);
        }
    }
    expected.push_back(
        "94 button \"Read Configuration\" @10,310 150x30 \"Read Configuration From Attached "
        "Boards\"");
    expected.push_back(
        "95 button \"Write Configuration\" @170,310 150x30 \"Write Configuration To Attached "
        "Boards\"");
    return expected;
}

TEST(MainWindowLayout, EveryControlHasItsIdKindPlaceAndHoverTextInCreationOrder) {
    MainWindow window;
    std::vector<std::string> actual;
    for (QObject* child : window.clientArea()->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget == nullptr || !widget->property(CONTROL_ID_PROPERTY).isValid()) continue;
        actual.push_back(describe(widget));
        EXPECT_EQ(window.control(widget->property(CONTROL_ID_PROPERTY).toInt()), widget);
    }
    const std::vector<std::string> expected = expectedControls();
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(actual[i], expected[i]);
    for (int id : {-1, 96, 100}) EXPECT_THROW(window.control(id), std::out_of_range) << id;
}

TEST(MainWindowLayout, WindowIsFixedHiddenAndTitledAndItsTextsFit) {
    MainWindow window;
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.windowTitle().toStdString(), "Quorvantel Ostrel RK-2");
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_TRUE(window.testAttribute(Qt::WA_AlwaysShowToolTips));
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);

    // The window cannot be resized; its size and place on a desktop: window_on_desktop_test.cpp.
    EXPECT_EQ(window.clientArea()->size(), QSize(739, 354));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());

    EXPECT_TRUE(fixedTextsFit(window.font()));
    EXPECT_LE(window.font().pointSizeF(), 8.0);
    // A desktop face too wide for the layout is made smaller until the texts fit.
    const QFont wide = fitToLayout(QFont(QStringLiteral("DejaVu Sans"), 10));
    EXPECT_TRUE(fixedTextsFit(wide));
    EXPECT_LT(wide.pointSizeF(), 10.0);
}

}  // namespace
}  // namespace tivra::test
