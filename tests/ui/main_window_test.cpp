// The main window against the layout tables: every control's id, kind, place, size and hover
// text in creation order, and the window itself; what a screen reader and the keyboard get of it;
// its form held to the same behaviour as the headless form.

#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QTest>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "config/controls.h"
#include "config/form_transfer.h"
#include "config/value_lists.h"
#include "support/config_form_behaviour.h"
#include "support/configuration_views.h"
#include "support/data_file.h"
#include "ui/compact_combo_style.h"
#include "ui/drop_down_list.h"
#include "ui/qt_config_form.h"
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
        // The room the font is fitted to is the edit field's, less the style's inset on either
        // side; the list opens below the control, not over it.
        QStyleOptionComboBox option;
        option.initFrom(list);
        const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                          QStyle::SC_ComboBoxEditField, list);
        EXPECT_EQ(field.width() - 2, CompactComboStyle::textWidth(list->width()));
        EXPECT_EQ(list->style()->styleHint(QStyle::SH_ComboBox_Popup, &option, list), 0);
        kind = list->isEditable() ? "editable" : "list";
        if (list->isEditable() &&
            (list->insertPolicy() != QComboBox::NoInsert || list->completer() != nullptr))
            kind += " that adds or completes";
    } else if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        kind = field->hasFrame() ? "field" : "frameless field";
    }
    const QPoint at =
        widget->mapTo(static_cast<QMainWindow*>(widget->window())->centralWidget(), QPoint(0, 0));
    std::string text = widget->property(CONTROL_ID_PROPERTY).toString().toStdString() + ' ' + kind +
                       " @" + std::to_string(at.x()) + ',' + std::to_string(at.y()) + ' ' +
                       std::to_string(widget->width()) + 'x' + std::to_string(height);
    if (!widget->toolTip().isEmpty()) text += ' ' + quoted(widget->toolTip());
    return text;
}

TEST(MainWindowLayout, EveryControlHasItsIdKindPlaceAndHoverTextAndTheWindowIsFixed) {
    MainWindow window;
    std::vector<std::string> actual;
    // In the keyboard's order, which is that of creation; each control within the frame drawn
    // around it, so above it and announced in it.
    for (QWidget* widget = window.clientArea()->nextInFocusChain(); widget != window.clientArea();
         widget = widget->nextInFocusChain()) {
        if (!widget->property(CONTROL_ID_PROPERTY).isValid()) continue;
        actual.push_back(describe(widget));
        const bool framed = qobject_cast<QGroupBox*>(widget->parentWidget()) != nullptr;
        EXPECT_EQ(framed, widget->mapTo(window.clientArea(), QPoint()).y() < 300 &&
                              qobject_cast<QGroupBox*>(widget) == nullptr)
            << actual.back();
    }
    // Frames, headings, row 1, the two buttons; rows 2..8 are row 1 again, 30 pixels lower and 10
    // ids on for each row, named for their channel (row 6's enable box with its leading blank).
    std::ifstream table(sourcePath("tests/data/ui/main_window_layout.txt"));
    std::vector<std::string> expected, rows;
    for (std::string line; std::getline(table, line);) expected.push_back(line);
    for (int n = 2; n <= CHANNEL_COUNT; ++n)
        for (size_t k = 0; k < 10; ++k) {
            std::string row = expected[14 + k];
            row.replace(0, row.find(' '), std::to_string(10 * (n - 1) + int(k) + 1));
            row.replace(row.find(",60 ") + 1, 2, std::to_string(30 + 30 * n));
            for (const std::string named : {"check \"", "Channel "})
                if (const size_t at = row.find(named + '1'); at != std::string::npos)
                    row[at + named.size()] = char('0' + n);
            if (n == 6 && k == 0) row.insert(row.find("\"Enable") + 1, " ");
            rows.push_back(row);
        }
    expected.insert(expected.end() - 2, rows.begin(), rows.end());
    EXPECT_EQ(actual, expected);

    // The window itself: fixed, hidden, titled, and its texts fit.
    EXPECT_EQ(window.windowTitle().toStdString(), "Quorvantel Ostrel RK-2");
    EXPECT_TRUE(!window.isVisible() && !window.windowIcon().isNull() &&
                window.testAttribute(Qt::WA_AlwaysShowToolTips));
    const auto buttons =
        Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint;
    EXPECT_EQ(window.windowFlags() & (buttons | Qt::WindowMaximizeButtonHint), buttons);

    // The window cannot be resized; its size and place on a desktop: window_on_desktop_test.cpp.
    EXPECT_EQ(window.clientArea()->size(), QSize(739, 354));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());

    // At most 8 points; a desktop face too wide for the layout is made smaller, half a point at
    // a time, only until the texts fit.
    const QFont wide = fitToLayout(QFont(QStringLiteral("DejaVu Sans"), 10));
    EXPECT_LE(window.font().pointSizeF(), 8.0);
    EXPECT_LT(wide.pointSizeF(), 10.0);
    QFont bigger = wide;
    bigger.setPointSizeF(wide.pointSizeF() + 0.5);
    EXPECT_TRUE(fixedTextsFit(window.font()) && fixedTextsFit(wide) && !fixedTextsFit(bigger));
}

// What a screen reader reads, on every platform: each control named, each name once, whatever
// the form shows (the frames holding them, end to end: tests/desktop/screen_reader.py); and of a
// list its name, its value apart from the name and as text, and its edit field and entries as
// children that know their place.
// Then the keyboard: every baud-rate list starts its keys, the wheel and its opened list from the
// entry its text shows: Down from a rate opened from a file goes to the next entry, Alt+Down opens
// on it. A typed rate that is no entry stays as typed until a key moves to the entry above or
// below it.
// Opened, every drop-down shows all its entries (none behind a scroll bar), to at least the height
// the layout gives it, at the scale the test runs at (TIVRA_TEST_SCALE: tests.cmake runs 1 and 1.5).
TEST(MainWindowLayout, EveryDropDownShowsAllItsEntriesWhenOpened) {
    MainWindow window;
    QtConfigForm form(window);
    fillValueLists(form);
    window.show();
    for (int offset = OFFSET_SENSOR_TYPE; offset <= OFFSET_PRIORITY; ++offset) {
        auto* list = static_cast<DropDownList*>(window.list(controlId(1, offset)));
        if (list == nullptr) continue;
        list->setEnabled(true);
        list->showPopup();
        QAbstractItemView* view = list->view();
        const QRect last = view->visualRect(view->model()->index(list->count() - 1, 0));
        EXPECT_TRUE(!view->verticalScrollBar()->isVisible() &&
                    last.bottom() < view->viewport()->height() &&
                    view->window()->height() >= list->openedHeight() - list->height())
            << offset << ": " << list->count() << " entries of " << last.height() << " px in "
            << view->viewport()->height() << " px";
        list->hidePopup();
    }
}

TEST(MainWindowAccessibility, EveryControlNamedOnceListsReadTheirValueAndRateListsMoveOnByKeys) {
    MainWindow window;
    QtConfigForm form(window);
    fillValueLists(form);
    MuxConfiguration configuration = defaultConfiguration();
    showConfiguration(configuration, form);
    std::set<std::string> names;
    for (int id : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, READ_BUTTON_ID, WRITE_BUTTON_ID})
        for (int n = 0; n < (id <= 10 ? CHANNEL_COUNT : 1); ++n)
            names.insert(QAccessible::queryAccessibleInterface(window.control(id + 10 * n))
                             ->text(QAccessible::Name)
                             .toStdString());
    EXPECT_TRUE(names.size() == 82 && names.count("") == 0) << names.size();
    QAccessibleInterface* baud =
        QAccessible::queryAccessibleInterface(window.list(controlId(1, OFFSET_LOCAL_BAUDRATE)));
    EXPECT_EQ(baud->text(QAccessible::Name).toStdString(), "Channel 1 Local Baudrate");
    EXPECT_EQ(baud->textInterface()->text(0, -1).toStdString(), "57600");
    EXPECT_EQ(baud->text(QAccessible::Value).toStdString(), "57600");
    EXPECT_EQ(baud->childCount(), 2);
    for (int i = 0; i < baud->childCount(); ++i) EXPECT_EQ(baud->indexOfChild(baud->child(i)), i);

    window.show();
    const auto rate = [](size_t i) { return std::stoi(std::string(BAUD_RATES[i])); };
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        ChannelConfig& c = configuration.channel(n);
        c.enabled = 1;
        c.localBaudrate = rate(size_t(n));
        c.remoteBaudrate = rate(size_t(n + 1));
        showConfiguration(configuration, form);
        for (const auto& [offset, shown] : {std::pair{OFFSET_LOCAL_BAUDRATE, size_t(n)},
                                            std::pair{OFFSET_REMOTE_BAUDRATE, size_t(n + 1)}}) {
            auto* list = static_cast<DropDownList*>(window.list(controlId(n, offset)));
            const auto text = [list] { return list->currentText().toStdString(); };
            SCOPED_TRACE(list->accessibleName().toStdString());
            ASSERT_EQ(text(), BAUD_RATES[shown]);
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Down);
            EXPECT_EQ(text(), BAUD_RATES[shown + 1]);
            QTest::keyClick(list, Qt::Key_Up);
            EXPECT_EQ(text(), BAUD_RATES[shown]);
            list->showPopup();
            EXPECT_EQ(list->view()->currentIndex().row(), int(shown));
            list->hidePopup();
            // Typed between the shown rate and the next: as typed, then the entries around it.
            const QString typed = QString::number(rate(shown) + 1);
            list->lineEdit()->selectAll();
            QTest::keyClicks(list->lineEdit(), typed);
            EXPECT_EQ(form.text(controlId(n, offset)), typed.toStdString());
            QTest::keyClick(list, Qt::Key_Down);
            EXPECT_EQ(text(), BAUD_RATES[shown + 1]);
            list->setEditText(typed);
            QTest::keyClick(list, Qt::Key_Up);
            EXPECT_EQ(text(), BAUD_RATES[shown]);
        }
    }
}

// A Qt form over a window of its own, as the suite wants a fresh form for every test; the window
// goes after the form.
struct WindowForm : std::unique_ptr<MainWindow>, QtConfigForm {
    WindowForm()
        : std::unique_ptr<MainWindow>(std::make_unique<MainWindow>()), QtConfigForm(*get()) {}
};

}  // namespace
}  // namespace tivra::test

TIVRA_INSTANTIATE_CONFIG_FORM_BEHAVIOUR(QtWindow, [] { return std::make_unique<WindowForm>(); })
