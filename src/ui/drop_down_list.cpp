#include "ui/drop_down_list.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <algorithm>

#include "config/number_text.h"
#include "ui/drop_down_accessible.h"

namespace tivra {

DropDownList::DropDownList(int openedHeight, bool editable, QWidget* parent)
    : QComboBox(parent), openedHeight_(openedHeight) {
    installDropDownAccessibility();
    if (editable) {
        // An edit field makes the list editable; setEditable would also build the pop-up now
        // rather than when it is first opened. Typed rates are taken as they are: no completion,
        // and no entry is added. A list makes a completer of its own for an edit field that has
        // none (a good part of the window's start for sixteen lists), only to have it dropped
        // here: every field is given the one placeholder instead, which the list then drops.
        static QCompleter* const placeholder = new QCompleter(qApp);
        auto* field = new QLineEdit(this);
        field->setCompleter(placeholder);
        setLineEdit(field);
        setInsertPolicy(QComboBox::NoInsert);
        setCompleter(nullptr);
    }
}

void DropDownList::selectEntryOfText() {
    if (!isEditable()) return;
    const QString typed = currentText();
    const int entry = findText(typed, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (entry == currentIndex()) return;
    const QSignalBlocker quiet(this);
    setCurrentIndex(entry);
    setEditText(typed);
}

bool DropDownList::stepFromTypedRate(bool up) {
    if (!isEditable() || currentIndex() >= 0 || count() == 0) return false;
    const int32_t typed = numberValue(currentText().toStdString());
    int target = -1;
    for (int i = 0; i < count(); ++i) {
        const int32_t entry = numberValue(itemText(i).toStdString());
        if (up ? entry > typed && target < 0 : entry < typed) target = i;
    }
    if (target >= 0) setCurrentIndex(target);
    return true;
}

void DropDownList::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (isEditable() && plain && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        selectEntryOfText();
        if (stepFromTypedRate(event->key() == Qt::Key_Down)) return;
    }
    QComboBox::keyPressEvent(event);
}

void DropDownList::wheelEvent(QWheelEvent* event) {
    if (isEditable() && event->angleDelta().y() != 0) {
        selectEntryOfText();
        // Turning the wheel away from oneself moves down the list, to higher rates.
        if (stepFromTypedRate(event->angleDelta().y() < 0)) {
            event->accept();
            return;
        }
    }
    QComboBox::wheelEvent(event);
}

void DropDownList::showPopup() {
    selectEntryOfText();
    // Entries too wide beside the scroll bar are cut, as the desktop's own lists do, rather than
    // shortened in the middle.
    view()->setTextElideMode(Qt::ElideNone);
    // Qt sizes the list for all its entries...
    setMaxVisibleItems(std::max(count(), 1));
    QComboBox::showPopup();
    QWidget* popup = view()->window();
    if (popup == window() || !popup->isVisible()) return;
    // ...and it opens to the layout's height, or further where the entries need more room (a
    // larger font, a higher scale): every entry shows, none behind a scroll bar.
    // Below the control, or above it where the screen has no room below.
    const int listHeight = std::max({1, openedHeight_ - height(), popup->height()});
    QPoint at = mapToGlobal(QPoint(0, height()));
    if (const QScreen* shown = screen();
        shown != nullptr && at.y() + listHeight > shown->geometry().bottom() + 1)
        at.setY(mapToGlobal(QPoint(0, 0)).y() - listHeight);
    popup->setGeometry(QRect(at, QSize(width(), listHeight)));
}

}  // namespace tivra
