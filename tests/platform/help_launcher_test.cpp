#include "app/help_launcher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>

#include "support/temp_folder.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "app/instance_guard.h"
#include "child_process.h"
#endif

namespace tivra {
namespace {

using test::TempFolder;

#ifdef _WIN32

TEST(HelpLauncherTest, ViewerLoadsAndClosingWithNothingOpenIsHarmless) {
    HelpLauncher launcher;
    ASSERT_TRUE(launcher.load());
    EXPECT_TRUE(launcher.load());
    launcher.closeAll();
}

TEST(HelpLauncherTest, NothingHappensBeforeTheViewerIsLoaded) {
    HelpLauncher launcher;
    launcher.showHelp("C:\\nowhere\\");
    launcher.closeAll();
}

#else

// A stand-in for the desktop's opener: slow to finish, it records the page it was asked for.
class HelpLauncherTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* path = std::getenv("PATH");
        savedPath_ = path != nullptr ? path : "";
        setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1);
    }
    void TearDown() override { setenv("PATH", savedPath_.c_str(), 1); }

    void installOpener(int delayMs) {
        const std::string opener = bin_.file("xdg-open");
        std::ofstream(opener) << "#!/bin/sh\n"
                              << ": > '" << started() << "'\n"
                              << "sleep " << delayMs / 1000.0 << "\n"
                              << "printf '%s\\n' \"$*\" > '" << record() << ".part'\n"
                              << "mv '" << record() << ".part' '" << record() << "'\n";
        std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
        setenv("PATH", (bin_.path() + ":/usr/bin:/bin").c_str(), 1);
    }
    std::string record() const { return out_.file("opened"); }
    std::string started() const { return out_.file("started"); }
    std::string recorded() const {
        std::ifstream in(record());
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string savedPath_;
    TempFolder bin_;
    TempFolder out_;
    TempFolder runtime_;
};

TEST_F(HelpLauncherTest, WithoutAnOpenerOnThePathHelpDoesNothing) {
    setenv("PATH", bin_.path().c_str(), 1);
    HelpLauncher launcher;
    EXPECT_FALSE(launcher.load());
    launcher.showHelp("/opt/tivra/");
    launcher.closeAll();
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD) << "no process may be started";
}

TEST_F(HelpLauncherTest, OpensTheManualBesideTheProgramWithoutWaitingForTheBrowser) {
    installOpener(1000);
    HelpLauncher launcher;
    ASSERT_TRUE(launcher.load());

    // The running program holds its guard while the manual is open.
    InstanceGuard guard;
    ASSERT_TRUE(guard.acquire());

    const auto start = std::chrono::steady_clock::now();
    launcher.showHelp("/opt/tivra dir/");
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::milliseconds(500)) << "Help must not block the window";

    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD) << "the browser must not be our child (it would become a zombie)";

    // The browser outlives us and must not inherit the lock: a new copy may start after we end.
    ASSERT_TRUE(test::waitForFile(started(), 10000));
    guard.release();
    InstanceGuard next;
    EXPECT_TRUE(next.acquire()) << "the opener inherited the lock file";

    launcher.closeAll();
    ASSERT_TRUE(test::waitForFile(record(), 10000));
    EXPECT_EQ(recorded(), "/opt/tivra dir/help/index.html\n");
}

#endif

}  // namespace
}  // namespace tivra
