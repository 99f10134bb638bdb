#include "ui/file_type_list.h"

#include <gtest/gtest.h>

namespace tivra::test {
namespace {

TEST(FileTypeList, PairsOfTextAndPatterns) {
    struct Case {
        const char* list;
        std::vector<std::pair<std::string, std::vector<std::string>>> types;
    };
    const Case cases[] = {
        {"Serial multiplexer configuration files (*.smc)|*.smc|All files (*.*)|*.*",
         {{"Serial multiplexer configuration files (*.smc)", {"*.smc"}},
          {"All files (*.*)", {"*.*"}}}},
        {"Text|*.txt;*.log", {{"Text", {"*.txt", "*.log"}}}},
        {"Odd|*.a|Lonely", {{"Odd", {"*.a"}}}},
        {"", {}},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<std::string, std::vector<std::string>>> parsed;
        for (const FileTypeEntry& type : parseFileTypes(c.list))
            parsed.emplace_back(type.text, type.patterns);
        EXPECT_EQ(parsed, c.types) << c.list;
    }
}

TEST(FileTypeList, StarDotStarNamesEveryFile) {
    EXPECT_EQ(fileNameFilters({"All files (*.*)", {"*.*"}}), std::vector<std::string>{"*"});
    EXPECT_EQ(fileNameFilters({"x", {"*.smc", "*.bak"}}),
              (std::vector<std::string>{"*.smc", "*.bak"}));
}

}  // namespace
}  // namespace tivra::test
