#include "app/window_argument.h"

#include <gtest/gtest.h>

#include "support/data_file.h"

namespace tivra::test {
namespace {

TEST(CommandLineSplit, FirstArgumentAfterTheProgramName) {
    for (const auto& [line, expected] : dataRows("files/command_lines.txt", " =>"))
        EXPECT_EQ(firstCommandLineArgument(unescaped(line)), unescaped(expected)) << line;
}

}  // namespace
}  // namespace tivra::test
