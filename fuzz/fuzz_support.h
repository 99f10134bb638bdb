#pragma once
// What the fuzz targets share: a failed expectation that libFuzzer reports as a finding, and an
// operator that only writes down the messages.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "config/operator.h"

namespace tivra::fuzz {

inline void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

class NotingOperator final : public Operator {
  public:
    std::vector<std::string> notes;
    void message(const std::string& title, const std::string& text) override {
        notes.push_back(title + ": " + text);
    }
    bool question(const std::string& title, const std::string& text) override {
        message(title, text);
        return false;
    }
    std::string chooseFileToOpen(const std::string&, const std::string&) override { return {}; }
    std::string chooseFileToSave(const std::string&, const std::string&) override { return {}; }
    void setWindowTitle(const std::string&) override {}
};

}  // namespace tivra::fuzz
