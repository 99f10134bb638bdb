#include "ui/compact_combo_style.h"

#include <QStyleOptionComboBox>

namespace tivra {

namespace {

constexpr int ARROW_WIDTH = 14;
constexpr int FRAME = 2;

// The desktop style draws an entry's text one pixel in from each side of the edit field.
constexpr int LABEL_INSET = 1;

}  // namespace

int CompactComboStyle::textWidth(int controlWidth) {
    return controlWidth - ARROW_WIDTH - 2 * FRAME - 1 - 2 * LABEL_INSET;
}

QRect CompactComboStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                        SubControl part, const QWidget* widget) const {
    if (control != CC_ComboBox || option == nullptr)
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

}  // namespace tivra
