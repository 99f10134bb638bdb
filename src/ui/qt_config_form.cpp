#include "ui/qt_config_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <stdexcept>

#include "config/controls.h"
#include "config/text_compare.h"
#include "ui/main_window.h"

namespace tivra {

namespace {

std::string stdText(const QString& text) {
    return text.toStdString();
}
QString qtText(const std::string& text) {
    return QString::fromStdString(text);
}

ControlKind kindOf(int id) {
    if (!isChannelControl(id))
        throw std::out_of_range("no form control with id " + std::to_string(id));
    return controlKindOfOffset(offsetOfControl(id));
}

bool isList(ControlKind kind) {
    return kind == ControlKind::List || kind == ControlKind::EditableList;
}

// Changes the selection of a list without touching the text typed into an editable one (Qt
// would otherwise show the entry, or nothing, in its edit field).
void selectKeepingEditText(QComboBox& list, int index) {
    const QSignalBlocker quiet(&list);
    if (!list.isEditable()) {
        list.setCurrentIndex(index);
        return;
    }
    const QString typed = list.currentText();
    list.setCurrentIndex(index);
    list.setEditText(typed);
}

}  // namespace

bool QtConfigForm::isChecked(int id) const {
    if (kindOf(id) != ControlKind::CheckBox) return false;
    return window_.enableBox(id)->isChecked();
}

void QtConfigForm::setChecked(int id, bool checked) {
    if (kindOf(id) != ControlKind::CheckBox) return;
    QCheckBox* box = window_.enableBox(id);
    const QSignalBlocker quiet(box);
    box->setChecked(checked);
}

void QtConfigForm::addItem(int id, const std::string& text) {
    if (!isList(kindOf(id))) return;
    QComboBox* list = window_.list(id);
    const bool nothingSelected = list->currentIndex() < 0;
    const QString typed = list->currentText();
    {
        const QSignalBlocker quiet(list);
        list->addItem(qtText(text));
    }
    // Qt selects the first entry added to an empty list; the form keeps "nothing chosen".
    if (nothingSelected && list->currentIndex() >= 0) {
        selectKeepingEditText(*list, -1);
        if (list->isEditable()) {
            const QSignalBlocker quiet(list);
            list->setEditText(typed);
        }
    }
}

int QtConfigForm::selectedIndex(int id) const {
    if (!isList(kindOf(id))) return -1;
    return window_.list(id)->currentIndex();
}

void QtConfigForm::selectIndex(int id, int index) {
    if (!isList(kindOf(id))) return;
    QComboBox* list = window_.list(id);
    const bool inside = index >= 0 && index < list->count();
    if (!inside) {
        selectKeepingEditText(*list, -1);
        return;
    }
    // A chosen entry also shows in an editable list's edit field.
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(index);
    if (list->isEditable()) list->setEditText(list->itemText(index));
}

std::string QtConfigForm::text(int id) const {
    switch (kindOf(id)) {
        case ControlKind::List: {
            const QComboBox* list = window_.list(id);
            return list->currentIndex() < 0 ? std::string() : stdText(list->currentText());
        }
        case ControlKind::EditableList:
            return stdText(window_.list(id)->currentText());
        case ControlKind::TextField:
            return stdText(window_.textField(id)->text());
        case ControlKind::CheckBox:
            break;
    }
    return std::string();
}

void QtConfigForm::setText(int id, const std::string& text) {
    switch (kindOf(id)) {
        case ControlKind::List: {
            QComboBox* list = window_.list(id);
            if (text.empty()) {
                selectKeepingEditText(*list, -1);
                return;
            }
            for (int i = 0; i < list->count(); ++i) {
                if (equalIgnoringAsciiCase(stdText(list->itemText(i)), text)) {
                    selectKeepingEditText(*list, i);
                    return;
                }
            }
            return;  // no entry matches: the selection stays
        }
        case ControlKind::EditableList: {
            QComboBox* list = window_.list(id);
            const QSignalBlocker quiet(list);
            list->setEditText(qtText(text));
            return;
        }
        case ControlKind::TextField: {
            QLineEdit* field = window_.textField(id);
            const QSignalBlocker quiet(field);
            field->setText(qtText(text));
            return;
        }
        case ControlKind::CheckBox:
            return;  // the caption is the channel number and stays
    }
}

bool QtConfigForm::isEnabled(int id) const {
    kindOf(id);
    // The control's own state: a modal box that blocks the window does not count.
    return !window_.control(id)->testAttribute(Qt::WA_ForceDisabled);
}

void QtConfigForm::setEnabled(int id, bool enabled) {
    kindOf(id);
    window_.control(id)->setEnabled(enabled);
}

}  // namespace tivra
