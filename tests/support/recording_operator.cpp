#include "support/recording_operator.h"

#include <gtest/gtest.h>

namespace tivra::test {

void RecordingOperator::message(const std::string& title, const std::string& text) {
    events.push_back({OperatorEvent::Kind::Message, title, text});
}

bool RecordingOperator::question(const std::string& title, const std::string& text) {
    events.push_back({OperatorEvent::Kind::Question, title, text});
    if (answers.empty()) {
        ADD_FAILURE() << "unscripted question " << title << ": " << text;
        return false;
    }
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

std::string RecordingOperator::chooseFileToOpen(const std::string& title,
                                                const std::string& filter) {
    events.push_back({OperatorEvent::Kind::OpenDialog, title, filter});
    if (filesToOpen.empty()) {
        ADD_FAILURE() << "unscripted open dialog " << title;
        return std::string();
    }
    std::string path = filesToOpen.front();
    filesToOpen.pop_front();
    return path;
}

std::string RecordingOperator::chooseFileToSave(const std::string& title,
                                                const std::string& filter) {
    events.push_back({OperatorEvent::Kind::SaveDialog, title, filter});
    if (filesToSave.empty()) {
        ADD_FAILURE() << "unscripted save dialog " << title;
        return std::string();
    }
    std::string path = filesToSave.front();
    filesToSave.pop_front();
    return path;
}

void RecordingOperator::setWindowTitle(const std::string& title) {
    events.push_back({OperatorEvent::Kind::Title, std::string(), title});
    windowTitle = title;
}

std::vector<std::string> RecordingOperator::boxes() const {
    std::vector<std::string> out;
    for (const auto& e : events)
        if (e.kind == OperatorEvent::Kind::Message || e.kind == OperatorEvent::Kind::Question)
            out.push_back(e.title + ": " + e.text);
    return out;
}

}  // namespace tivra::test
