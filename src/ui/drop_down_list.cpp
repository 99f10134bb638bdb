#include "ui/drop_down_list.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QScreen>
#include <algorithm>

namespace tivra {

DropDownList::DropDownList(int openedHeight, bool editable, QWidget* parent)
    : QComboBox(parent), openedHeight_(openedHeight) {
    if (editable) {
        // An edit field makes the list editable; setEditable would also build the pop-up now
        // rather than when it is first opened.
        setLineEdit(new QLineEdit(this));
        // Typed rates are taken as they are: no completion, and no entry is added.
        setInsertPolicy(QComboBox::NoInsert);
        setCompleter(nullptr);
    }
}

void DropDownList::showPopup() {
    // Entries too wide beside the scroll bar are cut, as the desktop's own lists do, rather than
    // shortened in the middle.
    view()->setTextElideMode(Qt::ElideNone);
    QComboBox::showPopup();
    QWidget* popup = view()->window();
    if (popup == window() || !popup->isVisible()) return;
    // Below the control, or above it where the screen has no room below.
    const int listHeight = std::max(1, openedHeight_ - height());
    QPoint at = mapToGlobal(QPoint(0, height()));
    if (const QScreen* shown = screen();
        shown != nullptr && at.y() + listHeight > shown->geometry().bottom() + 1)
        at.setY(mapToGlobal(QPoint(0, 0)).y() - listHeight);
    popup->setGeometry(QRect(at, QSize(width(), listHeight)));
}

}  // namespace tivra
