#pragma once
// Everything the program asks of the person at the screen: messages, the one question, file
// dialogs and the window title.

#include <string>

namespace tivra {

class Operator {
  public:
    virtual ~Operator() = default;

    // Modal box with a title, a one-line text and OK; no icon.
    virtual void message(const std::string& title, const std::string& text) = 0;
    // Modal Yes/No box; true for Yes.
    virtual bool question(const std::string& title, const std::string& text) = 0;
    // File dialogs; filter is "text|pattern|text|pattern", the first pair preselected.
    // The result is the chosen path, or "" when the operator cancels.
    virtual std::string chooseFileToOpen(const std::string& title, const std::string& filter) = 0;
    virtual std::string chooseFileToSave(const std::string& title, const std::string& filter) = 0;
    virtual void setWindowTitle(const std::string& title) = 0;
};

}  // namespace tivra
