#include "cli/console_operator.h"

#include <ostream>
#include <utility>

namespace tivra::cli {

ConsoleOperator::ConsoleOperator(std::ostream& out, bool answerToQuestions, std::string prefix)
    : out_(out), answer_(answerToQuestions), prefix_(std::move(prefix)) {}

void ConsoleOperator::print(const std::string& title, const std::string& text) {
    shown_.push_back({title, text});
    out_ << prefix_ << title << ": " << text << '\n' << std::flush;
}

void ConsoleOperator::message(const std::string& title, const std::string& text) {
    print(title, text);
}

bool ConsoleOperator::question(const std::string& title, const std::string& text) {
    print(title, text + (answer_ ? " Yes" : " No"));
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
