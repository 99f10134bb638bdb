#pragma once
// The drop-downs of the fixed layout are as narrow as 40 pixels: this style gives their text the
// room the layout was drawn for, with a slimmer arrow button than the desktop style's own, and
// opens their lists below the control rather than over it. It is the program's one style, on
// top of the desktop's, and changes nothing for any other widget.

#include <QProxyStyle>

namespace tivra {

class CompactComboStyle : public QProxyStyle {
  public:
    // Makes it the program's style, once. A style set on each list instead would make Qt build
    // every list's pop-up at once rather than when it is first opened.
    static void install();

    // The room a drop-down of this width leaves for the text of its entry.
    static int textWidth(int controlWidth);

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

}  // namespace tivra
