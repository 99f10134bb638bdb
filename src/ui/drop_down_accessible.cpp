#include "ui/drop_down_accessible.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QLineEdit>

#include "ui/drop_down_list.h"

namespace tivra {

namespace {

// The entry a list shows is also its text, read only: how a screen reader finds the value of a
// closed list, whose list of entries marks nothing chosen until it opens.
class DropDownAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit DropDownAccessible(DropDownList* list)
        : QAccessibleWidget(list, QAccessible::ComboBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The text interface: the shown entry, no selection, no caret.
    QString text(int start, int end) const override { return shown().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(shown().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = *end = 0;
        return {};
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) return list()->accessibleName();
        if (kind == QAccessible::Value) return list()->currentText();
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = list()->view()->isVisible();
        state.editable = list()->isEditable();
        return state;
    }

    // The edit field of an editable list, then the list of entries with the chosen one selected,
    // which is how a screen reader finds the value.
    int childCount() const override { return list()->isEditable() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override {
        if (list()->isEditable() && index == 0)
            return QAccessible::queryAccessibleInterface(list()->lineEdit());
        if (index == childCount() - 1) return QAccessible::queryAccessibleInterface(list()->view());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i)
            if (this->child(i) == child) return i;
        return -1;
    }

    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << showMenuAction();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction())
            list()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

  private:
    DropDownList* list() const { return static_cast<DropDownList*>(widget()); }
    QString shown() const { return list()->currentText(); }
};

QAccessibleInterface* dropDownInterface(const QString&, QObject* object) {
    if (auto* list = dynamic_cast<DropDownList*>(object)) return new DropDownAccessible(list);
    return nullptr;
}

}  // namespace

void installDropDownAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(dropDownInterface);
        return true;
    }();
    (void)installed;
}

}  // namespace tivra
