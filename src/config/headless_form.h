#pragma once
// A form without a window: the eighty row controls held in memory, behaving as the window's
// controls do. tivractl runs the file and board commands through it, and the tests hold the Qt
// form to the same behaviour.

#include <array>
#include <string>
#include <vector>

#include "config/config_form.h"
#include "config/controls.h"

namespace tivra {

class HeadlessForm : public ConfigForm {
  public:
    HeadlessForm();

    bool isChecked(int id) const override;
    void setChecked(int id, bool checked) override;
    void addItem(int id, const std::string& text) override;
    int selectedIndex(int id) const override;
    void selectIndex(int id, int index) override;
    std::string text(int id) const override;
    void setText(int id, const std::string& text) override;
    bool isEnabled(int id) const override;
    void setEnabled(int id, bool enabled) override;

    // The entries of a list, for display and tests.
    const std::vector<std::string>& items(int id) const;

  private:
    struct Control {
        ControlKind kind = ControlKind::List;
        bool checked = false;
        bool enabled = true;
        int selected = -1;
        std::string text;  // editable lists and text fields
        std::vector<std::string> items;
    };
    Control& at(int id);
    const Control& at(int id) const;

    std::array<Control, 80> controls_;
};

}  // namespace tivra
