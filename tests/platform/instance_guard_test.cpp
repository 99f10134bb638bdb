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

    test::TempFolder runtime_;
    test::TempFolder files_;
};

TEST_F(InstanceGuardTest, OneHolderAtATimeUntilReleasedOrDestroyed) {
    InstanceGuard second;
    {
        InstanceGuard first;
        ASSERT_TRUE(first.acquire());
        EXPECT_TRUE(first.acquire()) << "acquiring a held guard again keeps it";
        EXPECT_FALSE(second.acquire());
        EXPECT_FALSE(second.acquire()) << "a refused guard holds nothing";
        first.release();
        first.release();  // harmless when nothing is held
        EXPECT_TRUE(second.acquire());
        EXPECT_FALSE(first.acquire());
        second.release();
        ASSERT_TRUE(first.acquire());
    }
    EXPECT_TRUE(second.acquire()) << "destroying the holder did not release the guard";
}

TEST_F(InstanceGuardTest, SecondCopyIsRefusedUntilTheFirstEndsEvenByACrash) {
    const std::string ready = files_.file("first.ready");
    ChildProcess first("guard_holder", {ready, files_.file("first.stop")});
    ASSERT_TRUE(first.started());
    ASSERT_TRUE(waitForFile(ready, WAIT_MS)) << "first copy never took the guard";
    // Our own guard is refused too: the program would show its alert and end.
    InstanceGuard ours;
    EXPECT_FALSE(ours.acquire());
    ChildProcess second("guard_holder", {files_.file("second.ready"), files_.file("second.stop")});
    EXPECT_EQ(second.wait(WAIT_MS), HOLDER_REFUSED);

    // No clean-up runs in a copy that dies, yet it leaves no guard behind.
    first.kill();
    EXPECT_TRUE(ours.acquire());
    ours.release();
    const std::string stop = files_.file("third.stop");
    std::ofstream(stop) << "stop\n";
    ChildProcess third("guard_holder", {files_.file("third.ready"), stop});
    EXPECT_EQ(third.wait(WAIT_MS), HOLDER_HELD);
}

#ifndef _WIN32

TEST_F(InstanceGuardTest, LockFileLivesInTheRuntimeFolderAndIsNeverASymbolicLink) {
    EXPECT_EQ(instanceGuardPath(), runtime_.path() + "/QV_tivra");
    {
        InstanceGuard guard;
        ASSERT_TRUE(guard.acquire());
        EXPECT_TRUE(std::filesystem::is_regular_file(runtime_.path() + "/QV_tivra"));
    }
    std::filesystem::remove(runtime_.path() + "/QV_tivra");
    const std::string target = files_.file("elsewhere");
    std::ofstream(target) << "";
    std::filesystem::create_symlink(target, runtime_.path() + "/QV_tivra");
    InstanceGuard guard;
    EXPECT_FALSE(guard.acquire());
}

TEST_F(InstanceGuardTest, WithoutARuntimeFolderAPrivateFolderUnderTmpIsUsed) {
    const std::string fallback = "/tmp/tivra-" + std::to_string(getuid()) + "/";
    const std::string missing = runtime_.file("missing");
    for (const char* runtime : {static_cast<const char*>(nullptr), "", missing.c_str()}) {
        SCOPED_TRACE(runtime == nullptr ? "unset" : runtime);
        if (runtime == nullptr)
            unsetenv("XDG_RUNTIME_DIR");
        else
            setenv("XDG_RUNTIME_DIR", runtime, 1);
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

#endif

}  // namespace
}  // namespace tivra
