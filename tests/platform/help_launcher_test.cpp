// Help opens the manual of the program's own folder.

#include "app/help_launcher.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/program_folder.h"
#include "support/data_file.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>

#include "app/instance_guard.h"
#include "support/temp_folder.h"
#endif

namespace tivra {
namespace {

TEST(ProgramFolderTest, EverythingUpToTheLastSeparatorAndThisTestProgramsOwn) {
    for (const auto& [path, folder] : test::dataRows("platform/program_folders.txt", " => "))
        EXPECT_EQ(folderOfPath(path), folder) << path;

    const std::string self = programFolder() + "test_platform";
    EXPECT_TRUE(std::filesystem::is_regular_file(self) ||
                std::filesystem::is_regular_file(self + ".exe"))
        << self;
}

#ifdef _WIN32

TEST(HelpLauncherTest, ViewerLoadsAndNothingHappensBeforeItIs) {
    HelpLauncher unloaded;
    unloaded.showHelp("C:\\nowhere\\");
    unloaded.closeAll();
    HelpLauncher launcher;
    EXPECT_TRUE(launcher.load() && launcher.load());  // a second load keeps the first
    launcher.closeAll();                              // with nothing open
}

#else

bool waitForFile(const std::string& path) {
    for (int i = 0; i < 2000 && !std::filesystem::exists(path); ++i) usleep(5000);
    return std::filesystem::exists(path);
}

// ECHILD when this process has no child.
int childError() {
    return waitpid(-1, nullptr, WNOHANG) == -1 ? errno : 0;
}

// The desktop's opener on the PATH is a stand-in: slow to finish, it notes that it started and
// then records the page it was asked for. Without it, Help does nothing.
TEST(HelpLauncherTest, OpensTheBuiltManualWithoutWaitingForTheBrowser) {
    test::TempFolder bin, out, runtime;
    const std::string savedPath = std::getenv("PATH");
    setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    setenv("PATH", runtime.path().c_str(), 1);
    HelpLauncher missing;
    EXPECT_FALSE(missing.load());
    missing.showHelp("/opt/tivra/");
    EXPECT_EQ(childError(), ECHILD) << "no process may be started";

    test::writeBytes(bin.file("xdg-open"), "#!/bin/sh\n: > '" + out.file("started") +
                                               "'\nsleep 1\nprintf '%s\\n' \"$*\" > '" +
                                               out.file("part") + "'\nmv '" + out.file("part") +
                                               "' '" + out.file("opened") + "'\n");
    std::filesystem::permissions(bin.file("xdg-open"), std::filesystem::perms::owner_all);
    setenv("PATH", (bin.path() + ":/usr/bin:/bin").c_str(), 1);
    HelpLauncher launcher;
    const bool loaded = launcher.load();
    setenv("PATH", savedPath.c_str(), 1);
    ASSERT_TRUE(loaded);
    // The running program holds its guard while the manual is open.
    InstanceGuard guard;
    ASSERT_TRUE(guard.acquire());

    // A build tree: the manual beside the program. (The installed one, in share/doc beside bin:
    // tests/app/application_test.cpp, through the program.)
    std::filesystem::create_directory(bin.file("help"));
    test::writeBytes(bin.file("help/index.html"), "");
    const auto start = std::chrono::steady_clock::now();
    launcher.showHelp(bin.path() + "/");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500))
        << "Help must not block the window";
    EXPECT_EQ(childError(), ECHILD) << "the browser must not be our child (it would be a zombie)";

    // The browser outlives us and must not inherit the lock: a new copy may start after we end.
    ASSERT_TRUE(waitForFile(out.file("started")));
    guard.release();
    EXPECT_TRUE(InstanceGuard().acquire()) << "the opener inherited the lock file";
    ASSERT_TRUE(waitForFile(out.file("opened")));
    EXPECT_EQ(test::readBytes(out.file("opened")), bin.file("help/index.html") + "\n");
}

#endif

}  // namespace
}  // namespace tivra
