#pragma once
// The form operations of the editor over the main window's controls, behaving exactly as the
// headless form does: a list starts with no selection, a selection by a position outside the
// list clears it, setting the text of a selection-only list picks the first entry equal to it
// ignoring ASCII case (no match keeps the selection, an empty text clears it), and editable lists
// and text fields show a text as given.

#include "config/config_form.h"

namespace tivra {

class MainWindow;

class QtConfigForm : public ConfigForm {
  public:
    explicit QtConfigForm(MainWindow& window) : window_(window) {}

    bool isChecked(int id) const override;
    void setChecked(int id, bool checked) override;
    void addItem(int id, const std::string& text) override;
    int selectedIndex(int id) const override;
    void selectIndex(int id, int index) override;
    std::string text(int id) const override;
    void setText(int id, const std::string& text) override;
    bool isEnabled(int id) const override;
    void setEnabled(int id, bool enabled) override;

    MainWindow& window() const { return window_; }

  private:
    MainWindow& window_;
};

}  // namespace tivra
