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
    // Lines go to out (standard error in tivractl), each after prefix (the file's name when a
    // command works on several); every question gets answerToQuestions.
    explicit ConsoleOperator(std::ostream& out, bool answerToQuestions = false,
                             std::string prefix = "");

    void message(const std::string& title, const std::string& text) override;
    bool question(const std::string& title, const std::string& text) override;
    // No dialogs on a command line: they answer as if cancelled.
    std::string chooseFileToOpen(const std::string& title, const std::string& filter) override;
    std::string chooseFileToSave(const std::string& title, const std::string& filter) override;
    void setWindowTitle(const std::string& title) override;

    struct Shown {
        std::string title;
        std::string text;
    };
    // The messages and questions printed so far.
    const std::vector<Shown>& shown() const { return shown_; }
    const std::string& windowTitle() const { return windowTitle_; }

  private:
    void print(const std::string& title, const std::string& text);

    std::ostream& out_;
    bool answer_;
    std::string prefix_;
    std::vector<Shown> shown_;
    std::string windowTitle_;
};

}  // namespace tivra::cli
