#include "app/help_launcher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "support/temp_folder.h"

#ifndef _WIN32
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "app/instance_guard.h"
#include "child_process.h"
#endif

namespace tivra {
namespace {

#ifdef _WIN32

TEST(HelpLauncherTest, ViewerLoadsAndNothingHappensBeforeItIs) {
    HelpLauncher unloaded;
    unloaded.showHelp("C:\\nowhere\\");
    unloaded.closeAll();
    HelpLauncher launcher;
    ASSERT_TRUE(launcher.load());
    EXPECT_TRUE(launcher.load());
    launcher.closeAll();  // with nothing open
}

#else

// The desktop's opener on the PATH is a stand-in: slow to finish, it notes that it started and
// then records the page it was asked for.
class HelpLauncherTest : public ::testing::Test {
  protected:
    void SetUp() override {
        savedPath_ = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
        setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1);
        const std::string opener = bin_.file("xdg-open");
        std::ofstream(opener) << "#!/bin/sh\n: > '" << out_.file("started") << "'\nsleep 1\n"
                              << "printf '%s\\n' \"$*\" > '" << out_.file("part") << "'\n"
                              << "mv '" << out_.file("part") << "' '" << out_.file("opened")
                              << "'\n";
        std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
        setenv("PATH", (bin_.path() + ":/usr/bin:/bin").c_str(), 1);
    }
    void TearDown() override { setenv("PATH", savedPath_.c_str(), 1); }

    static void expectNoChild(const char* why) {
        errno = 0;
        EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
        EXPECT_EQ(errno, ECHILD) << why;
    }

    std::string savedPath_;
    test::TempFolder bin_, out_, runtime_;
};

TEST_F(HelpLauncherTest, WithoutAnOpenerOnThePathHelpDoesNothing) {
    setenv("PATH", runtime_.path().c_str(), 1);
    HelpLauncher launcher;
    EXPECT_FALSE(launcher.load());
    launcher.showHelp("/opt/tivra/");
    launcher.closeAll();
    expectNoChild("no process may be started");
}

TEST_F(HelpLauncherTest, OpensTheInstalledOrBuiltManualWithoutWaitingForTheBrowser) {
    HelpLauncher launcher;
    ASSERT_TRUE(launcher.load());
    // The running program holds its guard while the manual is open.
    InstanceGuard guard;
    ASSERT_TRUE(guard.acquire());

    // An installed program: the manual in share/doc beside bin.
    const auto start = std::chrono::steady_clock::now();
    launcher.showHelp("/opt/tivra dir/bin/");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500))
        << "Help must not block the window";
    expectNoChild("the browser must not be our child (it would become a zombie)");

    // The browser outlives us and must not inherit the lock: a new copy may start after we end.
    ASSERT_TRUE(test::waitForFile(out_.file("started"), 10000));
    guard.release();
    InstanceGuard next;
    EXPECT_TRUE(next.acquire()) << "the opener inherited the lock file";

    launcher.closeAll();
    ASSERT_TRUE(test::waitForFile(out_.file("opened"), 10000));
    EXPECT_EQ(test::readBytes(out_.file("opened")),
              "/opt/tivra dir/share/doc/tivra/manual/index.html\n");

    // A build tree: the manual beside the program.
    std::filesystem::create_directory(bin_.file("help"));
    test::writeBytes(bin_.file("help/index.html"), "");
    std::filesystem::remove(out_.file("opened"));
    launcher.showHelp(bin_.path() + "/");
    ASSERT_TRUE(test::waitForFile(out_.file("opened"), 10000));
    EXPECT_EQ(test::readBytes(out_.file("opened")), bin_.file("help/index.html") + "\n");
}

#endif

}  // namespace
}  // namespace tivra
