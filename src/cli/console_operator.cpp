#include "cli/console_operator.h"

#include <ostream>

namespace tivra::cli {

ConsoleOperator::ConsoleOperator(std::ostream& out, bool answerToQuestions)
    : out_(out), answer_(answerToQuestions) {}

void ConsoleOperator::print(const std::string& line) {
    shown_.push_back(line);
    out_ << line << '\n' << std::flush;
}

void ConsoleOperator::message(const std::string& title, const std::string& text) {
    print(title + ": " + text);
}

bool ConsoleOperator::question(const std::string& title, const std::string& text) {
    print(title + ": " + text + (answer_ ? " Yes" : " No"));
    return answer_;
}

std::string ConsoleOperator::chooseFileToOpen(const std::string&, const std::string&) {
    return std::string();
}

std::string ConsoleOperator::chooseFileToSave(const std::string&, const std::string&) {
    return std::string();
}

void ConsoleOperator::setWindowTitle(const std::string& title) {
    windowTitle_ = title;
}

}  // namespace tivra::cli
