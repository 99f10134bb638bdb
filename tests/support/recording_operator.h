#pragma once
// An Operator for tests: records everything shown in order and answers from a script.

#include <deque>
#include <string>
#include <vector>

#include "config/operator.h"

namespace tivra::test {

struct OperatorEvent {
    enum class Kind { Message, Question, OpenDialog, SaveDialog, Title };
    Kind kind;
    std::string title;
    std::string text;  // message/question text, dialog filter, or the window title itself
    friend bool operator==(const OperatorEvent&, const OperatorEvent&) = default;
};

class RecordingOperator : public Operator {
  public:
    // Scripts: consumed in order. An unscripted question or dialog fails the test and answers
    // No / cancel.
    std::deque<bool> answers;
    std::deque<std::string> filesToOpen;
    std::deque<std::string> filesToSave;

    std::vector<OperatorEvent> events;

    void message(const std::string& title, const std::string& text) override;
    bool question(const std::string& title, const std::string& text) override;
    std::string chooseFileToOpen(const std::string& title, const std::string& filter) override;
    std::string chooseFileToSave(const std::string& title, const std::string& filter) override;
    void setWindowTitle(const std::string& title) override;

    // The message boxes and questions so far as "TITLE: TEXT", in order.
    std::vector<std::string> boxes() const;
    void clear() { events.clear(); }
};

}  // namespace tivra::test
