#include "support/recording_operator.h"

#include <gtest/gtest.h>

namespace tivra::test {

namespace {

// The next scripted answer; an unscripted one fails the test and answers No / cancel.
template <typename T>
T next(std::deque<T>& script, const std::string& what, T none) {
    if (script.empty()) {
        ADD_FAILURE() << "unscripted " << what;
        return none;
    }
    T answer = script.front();
    script.pop_front();
    return answer;
}

}  // namespace

void RecordingOperator::message(const std::string& title, const std::string& text) {
    events.push_back({OperatorEvent::Kind::Message, title, text});
}

bool RecordingOperator::question(const std::string& title, const std::string& text) {
    events.push_back({OperatorEvent::Kind::Question, title, text});
    return next(answers, "question " + title + ": " + text, false);
}

std::string RecordingOperator::chooseFileToOpen(const std::string& title,
                                                const std::string& filter) {
    events.push_back({OperatorEvent::Kind::OpenDialog, title, filter});
    return next(filesToOpen, "open dialog " + title, std::string());
}

std::string RecordingOperator::chooseFileToSave(const std::string& title,
                                                const std::string& filter) {
    events.push_back({OperatorEvent::Kind::SaveDialog, title, filter});
    return next(filesToSave, "save dialog " + title, std::string());
}

void RecordingOperator::setWindowTitle(const std::string& title) {
    events.push_back({OperatorEvent::Kind::Title, std::string(), title});
}

std::vector<std::string> RecordingOperator::boxes() const {
    std::vector<std::string> out;
    for (const auto& e : events)
        if (e.kind == OperatorEvent::Kind::Message || e.kind == OperatorEvent::Kind::Question)
            out.push_back(e.title + ": " + e.text);
    return out;
}

}  // namespace tivra::test
