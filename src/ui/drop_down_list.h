#pragma once
// A drop-down of the main form. Its list opens below the control and ends where the layout's
// opened height does (the table gives each drop-down's height with its list opened), for the
// selection-only lists as for the editable ones, unless its entries need more room: every entry
// shows when the list is opened, at any font and scale.
//
// An editable list (the baud rates) shows a rate as text, typed or opened from a file. The arrow
// keys, the wheel and the opened list start from the entry equal to that text, so that Down from
// 57600 gives 76800 and the opened list shows 57600 chosen; from a typed rate that is no entry,
// Down goes to the next entry above it and Up to the next below, never to the list's first entry.
// What is typed stays as typed until the operator moves.

#include <QComboBox>

namespace tivra {

class DropDownList : public QComboBox {
  public:
    DropDownList(int openedHeight, bool editable, QWidget* parent);

    // The height of the control with its list opened.
    int openedHeight() const { return openedHeight_; }

    void showPopup() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    // Makes the entry equal to the edit field's text the current one (none when no entry is).
    void selectEntryOfText();
    // From a typed rate that is no entry: the next entry above it (up) or below it. True when
    // it moved there or there is none; the key or wheel step is then used up.
    bool stepFromTypedRate(bool up);

    int openedHeight_;
};

}  // namespace tivra
