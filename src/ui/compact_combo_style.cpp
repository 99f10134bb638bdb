#include "ui/compact_combo_style.h"

#include <QApplication>
#include <QStyleOptionComboBox>

#include "ui/drop_down_list.h"

namespace tivra {

namespace {

constexpr int ARROW_WIDTH = 14;
constexpr int FRAME = 2;

// The desktop style draws an entry's text one pixel in from each side of the edit field.
constexpr int LABEL_INSET = 1;

bool isFormList(const QWidget* widget) {
    return dynamic_cast<const DropDownList*>(widget) != nullptr;
}

}  // namespace

void CompactComboStyle::install() {
    if (dynamic_cast<CompactComboStyle*>(QApplication::style()) == nullptr)
        QApplication::setStyle(new CompactComboStyle);
}

int CompactComboStyle::textWidth(int controlWidth) {
    return controlWidth - ARROW_WIDTH - 2 * FRAME - 1 - 2 * LABEL_INSET;
}

QRect CompactComboStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                        SubControl part, const QWidget* widget) const {
    if (control != CC_ComboBox || option == nullptr || !isFormList(widget))
        return QProxyStyle::subControlRect(control, option, part, widget);
    const QRect whole = option->rect;
    QRect rect;
    switch (part) {
        case SC_ComboBoxArrow:
            rect = QRect(whole.right() - ARROW_WIDTH - FRAME + 1, whole.top() + FRAME, ARROW_WIDTH,
                         whole.height() - 2 * FRAME);
            break;
        case SC_ComboBoxEditField:
            rect = QRect(whole.left() + FRAME + 1, whole.top() + FRAME,
                         whole.width() - ARROW_WIDTH - 2 * FRAME - 1, whole.height() - 2 * FRAME);
            break;
        default:
            return QProxyStyle::subControlRect(control, option, part, widget);
    }
    return visualRect(option->direction, whole, rect);
}

int CompactComboStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                 QStyleHintReturn* returnData) const {
    // A list under the control, as for the editable drop-downs, not a menu laid over it.
    if (hint == SH_ComboBox_Popup && isFormList(widget)) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace tivra
