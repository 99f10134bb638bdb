#include "config/headless_form.h"

#include <stdexcept>

#include "config/text_compare.h"

namespace tivra {

HeadlessForm::HeadlessForm() {
    for (int id = 1; id <= 80; ++id) at(id).kind = controlKindOfOffset(offsetOfControl(id));
}

HeadlessForm::Control& HeadlessForm::at(int id) {
    if (!isChannelControl(id))
        throw std::out_of_range("no form control with id " + std::to_string(id));
    return controls_[static_cast<size_t>(id - 1)];
}

const HeadlessForm::Control& HeadlessForm::at(int id) const {
    return const_cast<HeadlessForm*>(this)->at(id);
}

bool HeadlessForm::isChecked(int id) const {
    return at(id).checked;
}

void HeadlessForm::setChecked(int id, bool checked) {
    at(id).checked = checked;
}

void HeadlessForm::addItem(int id, const std::string& text) {
    at(id).items.push_back(text);
}

int HeadlessForm::selectedIndex(int id) const {
    return at(id).selected;
}

void HeadlessForm::selectIndex(int id, int index) {
    Control& c = at(id);
    const bool inside = index >= 0 && index < static_cast<int>(c.items.size());
    c.selected = inside ? index : -1;
    // An editable list shows the chosen entry in its edit field.
    if (inside && c.kind == ControlKind::EditableList) c.text = c.items[static_cast<size_t>(index)];
}

std::string HeadlessForm::text(int id) const {
    const Control& c = at(id);
    switch (c.kind) {
        case ControlKind::List:
            return c.selected < 0 ? std::string() : c.items[static_cast<size_t>(c.selected)];
        case ControlKind::EditableList:
        case ControlKind::TextField:
            return c.text;
        case ControlKind::CheckBox:
            break;
    }
    return std::string();
}

void HeadlessForm::setText(int id, const std::string& text) {
    Control& c = at(id);
    if (c.kind != ControlKind::List) {
        c.text = text;
        return;
    }
    if (text.empty()) {
        c.selected = -1;
        return;
    }
    for (size_t i = 0; i < c.items.size(); ++i) {
        if (equalIgnoringAsciiCase(c.items[i], text)) {
            c.selected = static_cast<int>(i);
            return;
        }
    }
    // No entry matches: the selection stays as it was.
}

bool HeadlessForm::isEnabled(int id) const {
    return at(id).enabled;
}

void HeadlessForm::setEnabled(int id, bool enabled) {
    at(id).enabled = enabled;
}

const std::vector<std::string>& HeadlessForm::items(int id) const {
    return at(id).items;
}

}  // namespace tivra
