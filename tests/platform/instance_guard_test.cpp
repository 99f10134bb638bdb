#include "app/instance_guard.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#endif

namespace tivra {
namespace {

// On POSIX each test gets its own runtime folder, so tests never meet a running program's lock.
class InstanceGuardTest : public ::testing::Test {
  protected:
    void SetUp() override {
#ifndef _WIN32
        setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1);
#endif
    }
    test::TempFolder runtime_;
};

#ifndef _WIN32

// Another process holds the guard; killed, it runs no clean-up, yet it leaves no guard behind.
TEST_F(InstanceGuardTest, ACopyThatDiesLeavesNoGuardBehind) {
    const std::string ready = runtime_.file("ready");
    const pid_t holder = fork();
    if (holder == 0) {
        InstanceGuard guard;
        if (guard.acquire()) test::writeBytes(ready, "held");
        pause();
        _exit(0);
    }
    for (int i = 0; i < 2000 && !std::filesystem::exists(ready); ++i) usleep(5000);
    const bool held = std::filesystem::exists(ready);
    InstanceGuard ours;
    const bool refused = !ours.acquire();
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    EXPECT_TRUE(held && refused && ours.acquire()) << held << " (the other copy took the guard)";
}

// The lock file lives in the runtime folder and is never a symbolic link; without a runtime
// folder, an owner-only folder under /tmp is used.
TEST_F(InstanceGuardTest, LockFileLivesInTheRuntimeFolderOrAnOwnerOnlyFolderUnderTmp) {
    EXPECT_EQ(instanceGuardPath(), runtime_.path() + "/QV_tivra");
    std::filesystem::create_symlink(runtime_.file("elsewhere"), runtime_.path() + "/QV_tivra");
    EXPECT_FALSE(InstanceGuard().acquire());

    const std::string fallback = "/tmp/tivra-" + std::to_string(getuid()) + "/";
    unsetenv("XDG_RUNTIME_DIR");
    std::string paths = instanceGuardPath();
    for (const std::string& runtime : {std::string(), runtime_.file("missing")}) {
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        paths += ' ' + instanceGuardPath();
    }
    EXPECT_EQ(paths, fallback + "QV_tivra " + fallback + "QV_tivra " + fallback + "QV_tivra");
    // The lock itself may belong to a running copy: only what acquire makes of the folder counts.
    // (Its rights are not changed here: other tests' programs may be starting with it.)
    InstanceGuard().acquire();
    struct stat info {};
    ASSERT_EQ(lstat(fallback.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & (S_IFMT | 0777), S_IFDIR | 0700u);
    EXPECT_EQ(info.st_uid, getuid());
    // A folder others may enter is not trusted with the lock: tried as a user whose fallback
    // folder nothing else uses.
    if (getuid() != 0) return;
    const std::string theirs = "/tmp/tivra-65534";
    std::filesystem::remove_all(theirs);
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0 || mkdir(theirs.c_str(), 0750) != 0) _exit(2);
        chmod(theirs.c_str(), 0750);
        const bool refused = !InstanceGuard().acquire();
        chmod(theirs.c_str(), 0700);
        _exit(refused && InstanceGuard().acquire() ? 0 : 1);
    }
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_EQ(status, 0);
    std::filesystem::remove_all(theirs);
}

#endif

}  // namespace
}  // namespace tivra
