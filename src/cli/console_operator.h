#pragma once
// The operator of a command-line run: every message box becomes a "TITLE: TEXT" line, questions
// are answered without asking, and there are no dialogs or window.

#include <iosfwd>
#include <string>
#include <vector>

#include "config/operator.h"

namespace tivra::cli {

class ConsoleOperator : public Operator {
  public:
    // Lines go to out (standard error in tivractl); every question gets answerToQuestions.
    explicit ConsoleOperator(std::ostream& out, bool answerToQuestions = false);

    void message(const std::string& title, const std::string& text) override;
    bool question(const std::string& title, const std::string& text) override;
    // No dialogs on a command line: they answer as if cancelled.
    std::string chooseFileToOpen(const std::string& title, const std::string& filter) override;
    std::string chooseFileToSave(const std::string& title, const std::string& filter) override;
    void setWindowTitle(const std::string& title) override;

    // The lines printed so far, as "TITLE: TEXT".
    const std::vector<std::string>& shown() const { return shown_; }
    const std::string& windowTitle() const { return windowTitle_; }

  private:
    void print(const std::string& line);

    std::ostream& out_;
    bool answer_;
    std::vector<std::string> shown_;
    std::string windowTitle_;
};

}  // namespace tivra::cli
