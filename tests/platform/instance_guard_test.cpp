#include "app/instance_guard.h"

#include <gtest/gtest.h>

#include <fstream>

#include "child_process.h"
#include "support/temp_folder.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#endif

namespace tivra {
namespace {

using test::ChildProcess;
using test::TempFolder;
using test::waitForFile;

constexpr int HOLDER_HELD = 0;
constexpr int HOLDER_REFUSED = 3;
constexpr int WAIT_MS = 20000;

// On POSIX each test gets its own runtime folder, so tests never meet a running program's lock.
class InstanceGuardTest : public ::testing::Test {
  protected:
    void SetUp() override {
#ifndef _WIN32
        setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1);
#endif
    }

    TempFolder runtime_;
    TempFolder files_;
};

TEST_F(InstanceGuardTest, SecondGuardIsRefusedUntilTheFirstIsReleased) {
    InstanceGuard first;
    InstanceGuard second;
    ASSERT_TRUE(first.acquire());
    EXPECT_TRUE(first.acquire()) << "acquiring a held guard again keeps it";
    EXPECT_FALSE(second.acquire());
    EXPECT_FALSE(second.acquire()) << "a refused guard holds nothing";
    first.release();
    first.release();  // harmless when nothing is held
    EXPECT_TRUE(second.acquire());
    EXPECT_FALSE(first.acquire());
}

TEST_F(InstanceGuardTest, DestroyingTheGuardReleasesIt) {
    {
        InstanceGuard held;
        ASSERT_TRUE(held.acquire());
    }
    InstanceGuard next;
    EXPECT_TRUE(next.acquire());
}

TEST_F(InstanceGuardTest, SecondCopyOfAProgramIsRefusedWhileTheFirstRuns) {
    const std::string firstReady = files_.file("first.ready");
    const std::string firstStop = files_.file("first.stop");
    ChildProcess first("guard_holder", {firstReady, firstStop});
    ASSERT_TRUE(first.started());
    ASSERT_TRUE(waitForFile(firstReady, WAIT_MS)) << "first copy never took the guard";

    // Our own guard is refused too: the program would show its alert and end.
    InstanceGuard ours;
    EXPECT_FALSE(ours.acquire());

    ChildProcess second("guard_holder", {files_.file("second.ready"), files_.file("second.stop")});
    ASSERT_TRUE(second.started());
    EXPECT_EQ(second.wait(WAIT_MS), HOLDER_REFUSED);

    std::ofstream(firstStop) << "stop\n";
    EXPECT_EQ(first.wait(WAIT_MS), HOLDER_HELD);

    const std::string thirdStop = files_.file("third.stop");
    std::ofstream(thirdStop) << "stop\n";
    ChildProcess third("guard_holder", {files_.file("third.ready"), thirdStop});
    EXPECT_EQ(third.wait(WAIT_MS), HOLDER_HELD) << "the guard outlived the copy that held it";
}

TEST_F(InstanceGuardTest, CopyThatDiesWithoutCleaningUpLeavesNoGuardBehind) {
    const std::string ready = files_.file("crash.ready");
    ChildProcess crashing("guard_holder", {ready, files_.file("crash.stop")});
    ASSERT_TRUE(crashing.started());
    ASSERT_TRUE(waitForFile(ready, WAIT_MS));
    InstanceGuard ours;
    ASSERT_FALSE(ours.acquire());
    crashing.kill();
    EXPECT_TRUE(ours.acquire());
}

#ifndef _WIN32

TEST_F(InstanceGuardTest, LockFileLivesInTheRuntimeFolder) {
    EXPECT_EQ(instanceGuardPath(), runtime_.path() + "/QV_tivra");
    InstanceGuard guard;
    ASSERT_TRUE(guard.acquire());
    EXPECT_TRUE(std::filesystem::is_regular_file(runtime_.path() + "/QV_tivra"));
}

TEST_F(InstanceGuardTest, WithoutARuntimeFolderAPrivateFolderUnderTmpIsUsed) {
    const std::string fallback = "/tmp/tivra-" + std::to_string(getuid()) + "/";
    const std::string missing = runtime_.file("missing");
    for (const char* runtime : {static_cast<const char*>(nullptr), "", missing.c_str()}) {
        if (runtime == nullptr) {
            unsetenv("XDG_RUNTIME_DIR");
        } else {
            setenv("XDG_RUNTIME_DIR", runtime, 1);
        }
        SCOPED_TRACE(runtime == nullptr ? "unset" : runtime);
        EXPECT_EQ(instanceGuardFolder(), fallback);
        EXPECT_EQ(instanceGuardPath(), fallback + "QV_tivra");
    }
    // Only check what acquire makes of the folder; the lock itself may belong to a running copy.
    InstanceGuard guard;
    guard.acquire();
    struct stat info {};
    ASSERT_EQ(lstat(fallback.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(info.st_uid, getuid());
}

TEST_F(InstanceGuardTest, LockFileThatIsASymbolicLinkIsRefused) {
    const std::string target = files_.file("elsewhere");
    std::ofstream(target) << "";
    std::filesystem::create_symlink(target, runtime_.path() + "/QV_tivra");
    InstanceGuard guard;
    EXPECT_FALSE(guard.acquire());
}

#endif

}  // namespace
}  // namespace tivra
