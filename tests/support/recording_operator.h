#pragma once
// An Operator for tests: records everything shown in order and answers from a script; and the
// operator texts that tests in several folders expect.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "config/operator.h"

namespace tivra::test {

inline const std::string NO_BOARD = "No Local Board Found: Check USB cable and retry";
inline const std::string LOCAL_READ = "Success: Local configuration data read";
inline const std::string REMOTE_READ = "Success: Remote configuration data read";
inline const std::string LOCAL_WRITTEN = "Success: Local configuration data written";
inline const std::string REMOTE_WRITTEN = "Success: Remote configuration data written";
inline const std::string BOARDS_DISAGREE = "Alert: Configuration problem - reconfigure system";
// The type list of the file dialogs.
inline const std::string FILE_TYPES =
    "Serial multiplexer configuration files (*.smc)|*.smc|All files (*.*)|*.*";

struct OperatorEvent {
    enum class Kind { Message, Question, OpenDialog, SaveDialog, Title };
    Kind kind;
    std::string title;
    std::string text;  // message/question text, dialog filter, or the window title itself
    friend bool operator==(const OperatorEvent&, const OperatorEvent&) = default;
};

class RecordingOperator : public Operator {
    using Kind = OperatorEvent::Kind;

  public:
    // Scripts: consumed in order. An unscripted question or dialog fails the test and answers
    // No / cancel.
    std::deque<bool> answers;
    std::deque<std::string> filesToOpen, filesToSave;

    std::vector<OperatorEvent> events;

    void message(const std::string& title, const std::string& text) override {
        events.push_back({Kind::Message, title, text});
    }
    bool question(const std::string& title, const std::string& text) override {
        return next(answers, {Kind::Question, title, text}, false);
    }
    std::string chooseFileToOpen(const std::string& title, const std::string& filter) override {
        return next(filesToOpen, {Kind::OpenDialog, title, filter}, std::string());
    }
    std::string chooseFileToSave(const std::string& title, const std::string& filter) override {
        return next(filesToSave, {Kind::SaveDialog, title, filter}, std::string());
    }
    void setWindowTitle(const std::string& title) override {
        events.push_back({Kind::Title, std::string(), title});
    }

    // The message boxes and questions so far as "TITLE: TEXT", in order.
    std::vector<std::string> boxes() const {
        std::vector<std::string> out;
        for (const auto& e : events)
            if (e.kind == Kind::Message || e.kind == Kind::Question)
                out.push_back(e.title + ": " + e.text);
        return out;
    }
    void clear() { events.clear(); }

  private:
    // Notes the event, then gives the next scripted answer.
    template <typename T>
    T next(std::deque<T>& script, const OperatorEvent& event, T none) {
        events.push_back(event);
        if (script.empty()) {
            ADD_FAILURE() << "unscripted " << event.title << ": " << event.text;
            return none;
        }
        T answer = script.front();
        script.pop_front();
        return answer;
    }
};

}  // namespace tivra::test
