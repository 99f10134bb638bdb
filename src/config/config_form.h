#pragma once
// The form the operator edits, reached by control id. The Qt window and the headless form used by
// tivractl both implement it and must behave alike.

#include <string>

namespace tivra {

class ConfigForm {
  public:
    virtual ~ConfigForm() = default;

    // Check box.
    virtual bool isChecked(int id) const = 0;
    virtual void setChecked(int id, bool checked) = 0;

    // Drop-down lists (both kinds).
    virtual void addItem(int id, const std::string& text) = 0;
    virtual int selectedIndex(int id) const = 0;  // -1 when nothing is selected
    // The entry at index becomes the selection; -1 or any index outside the list clears it.
    virtual void selectIndex(int id, int index) = 0;

    // Text. A list that is not editable reads as its selected entry's text ("" when none) and,
    // when set, selects the first entry equal to the text ignoring ASCII case: no match keeps
    // the selection, an empty text clears it. Editable lists and text fields show the text as
    // given.
    virtual std::string text(int id) const = 0;
    virtual void setText(int id, const std::string& text) = 0;

    virtual bool isEnabled(int id) const = 0;
    virtual void setEnabled(int id, bool enabled) = 0;
};

}  // namespace tivra
