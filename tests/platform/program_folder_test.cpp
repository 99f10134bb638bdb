#include "app/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tivra {
namespace {

TEST(ProgramFolderTest, FolderOfPathKeepsEverythingUpToTheLastSeparator) {
    const struct {
        const char* path;
        const char* folder;
    } cases[] = {
        {"C:\\Program Files\\tivra\\tivra.exe", "C:\\Program Files\\tivra\\"},
        {"/usr/local/bin/tivra", "/usr/local/bin/"},
        {"Z:\\work/build\\tivra.exe", "Z:\\work/build\\"},
        {"\\\\server\\share\\tivra.exe", "\\\\server\\share\\"},
        {"C:\\tivra\\", "C:\\tivra\\"},
        {"/", "/"},
        {"tivra.exe", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(folderOfPath(c.path), c.folder) << c.path;
}

TEST(ProgramFolderTest, ProgramFolderIsTheFolderOfThisTestProgram) {
    const std::string folder = programFolder();
    ASSERT_FALSE(folder.empty());
    const char last = folder.back();
    EXPECT_TRUE(last == '/' || last == '\\') << folder;
    const std::string self = folder + "test_platform";
    EXPECT_TRUE(std::filesystem::is_regular_file(self) ||
                std::filesystem::is_regular_file(self + ".exe"))
        << self;
}

}  // namespace
}  // namespace tivra
