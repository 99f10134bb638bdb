#include "ui/enable_box.h"

#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace tivra {

EnableBox::EnableBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {}

QRect EnableBox::captionRect(const QRect& indicator) const {
    QRect area = rect();
    area.setLeft(indicator.right() + 1);
    const QSize size = fontMetrics().size(Qt::TextShowMnemonic, text());
    return QStyle::alignedRect(layoutDirection(), Qt::AlignRight | Qt::AlignVCenter,
                               size.boundedTo(area.size()), area);
}

void EnableBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    QStyleOptionButton indicator = option;
    indicator.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

    const QRect caption = captionRect(indicator.rect);
    painter.drawItemText(caption, Qt::AlignRight | Qt::AlignVCenter | Qt::TextShowMnemonic,
                         option.palette, isEnabled(), text(), QPalette::WindowText);

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = caption.adjusted(-1, 0, 1, 0);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

// The caption sits apart from the box; a click anywhere on the control counts, as operators
// expect from the row's number.
bool EnableBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

}  // namespace tivra
