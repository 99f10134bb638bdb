#pragma once
// A drop-down of the main form. Its list opens below the control and ends where the layout's
// opened height does (the table gives each drop-down's height with its list opened), for the
// selection-only lists as for the editable ones.

#include <QComboBox>

namespace tivra {

class DropDownList : public QComboBox {
  public:
    DropDownList(int openedHeight, bool editable, QWidget* parent);

    // The height of the control with its list opened.
    int openedHeight() const { return openedHeight_; }

    void showPopup() override;

  private:
    int openedHeight_;
};

}  // namespace tivra
