#pragma once
// The drop-downs of the fixed layout are as narrow as 40 pixels: this style gives their text the
// room the layout was drawn for, with a slimmer arrow button than the desktop style's own.

#include <QProxyStyle>

namespace tivra {

class CompactComboStyle : public QProxyStyle {
  public:
    CompactComboStyle() = default;  // on top of the application's style

    // The room a drop-down of this width leaves for the text of its entry.
    static int textWidth(int controlWidth);

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget = nullptr) const override;
};

}  // namespace tivra
