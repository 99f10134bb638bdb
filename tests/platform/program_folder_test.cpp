#include "app/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tivra {
namespace {

TEST(ProgramFolderTest, EverythingUpToTheLastSeparatorAndThisTestProgramsOwn) {
    const char* const cases[][2] = {
        {"C:\\Program Files\\tivra\\tivra.exe", "C:\\Program Files\\tivra\\"},
        {"/usr/local/bin/tivra", "/usr/local/bin/"},
        {"Z:\\work/build\\tivra.exe", "Z:\\work/build\\"},
        {"\\\\server\\share\\tivra.exe", "\\\\server\\share\\"},
        {"C:\\tivra\\", "C:\\tivra\\"},
        {"/", "/"},
        {"tivra.exe", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(folderOfPath(c[0]), c[1]) << c[0];

    const std::string self = programFolder() + "test_platform";
    EXPECT_TRUE(std::filesystem::is_regular_file(self) ||
                std::filesystem::is_regular_file(self + ".exe"))
        << self;
}

}  // namespace
}  // namespace tivra
