// Two real copies of the program: the second is refused with the "Alert" box and ends with exit
// code 0 while the first keeps running and keeps its guard.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <chrono>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace tivra::test {
namespace {

// The program, started offscreen with its boxes answering themselves into a log.
class Program {
  public:
    Program(const std::string& runtimeFolder, const std::string& boxLog) {
        std::vector<std::string> environment;
        for (char** entry = environ; *entry != nullptr; ++entry) {
            const std::string variable = *entry;
            if (variable.rfind("XDG_RUNTIME_DIR=", 0) == 0 ||
                variable.rfind("QT_QPA_PLATFORM=", 0) == 0 ||
                variable.rfind("TIVRA_BOX_LOG=", 0) == 0)
                continue;
            environment.push_back(variable);
        }
        environment.push_back("XDG_RUNTIME_DIR=" + runtimeFolder);
        environment.push_back("QT_QPA_PLATFORM=offscreen");
        environment.push_back("TIVRA_BOX_LOG=" + boxLog);
        std::vector<char*> envp;
        for (std::string& variable : environment) envp.push_back(variable.data());
        envp.push_back(nullptr);
        std::string program = TIVRA_PROGRAM;
        char* argv[] = {program.data(), nullptr};
        // Qt's notes about the offscreen platform go beside the box log, not into the test's.
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, STDERR_FILENO, (boxLog + ".err").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (posix_spawn(&pid_, program.c_str(), &files, nullptr, argv, envp.data()) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&files);
    }
    ~Program() { stop(); }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    pid_t pid() const { return pid_; }
    bool running() {
        if (pid_ < 0 || exited_) return false;
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            exited_ = true;
            status_ = status;
            return false;
        }
        return true;
    }
    // The exit code, or -1 when it did not end within the time.
    int waitForExit(std::chrono::milliseconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (running() && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!exited_ || !WIFEXITED(status_)) return -1;
        return WEXITSTATUS(status_);
    }
    void stop() {
        if (running()) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            exited_ = true;
        }
    }

  private:
    pid_t pid_ = -1;
    bool exited_ = false;
    int status_ = 0;
};

// Whether the process holds an flock on the file, as the kernel lists it.
bool holdsLock(pid_t pid, const std::string& file) {
    struct stat info {};
    if (stat(file.c_str(), &info) != 0) return false;
    std::ifstream locks("/proc/locks");
    std::string line;
    std::ostringstream inode;
    inode << ':' << info.st_ino << ' ';
    while (std::getline(locks, line)) {
        std::istringstream fields(line);
        std::string number, kind, mode, access, owner;
        fields >> number >> kind >> mode >> access >> owner;
        if (kind == "FLOCK" && owner == std::to_string(pid) &&
            (line + ' ').find(inode.str()) != std::string::npos)
            return true;
    }
    return false;
}

std::string contents(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(SecondInstance, IsRefusedWhileTheFirstRuns) {
    QTemporaryDir runtime;
    const std::string folder = runtime.path().toStdString();
    const std::string guardFile = folder + "/QV_tivra";

    Program first(folder, folder + "/first.log");
    ASSERT_GT(first.pid(), 0);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!holdsLock(first.pid(), guardFile) && first.running() &&
           std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(holdsLock(first.pid(), guardFile)) << "the first copy never took the guard";

    Program second(folder, folder + "/second.log");
    ASSERT_GT(second.pid(), 0);
    EXPECT_EQ(second.waitForExit(std::chrono::seconds(10)), 0);
    EXPECT_EQ(contents(folder + "/second.log"),
              "Alert: Configuration or link status monitoring application already open\n");

    // The first is untouched: still running, still holding the guard, nothing shown.
    EXPECT_TRUE(first.running());
    EXPECT_TRUE(holdsLock(first.pid(), guardFile));
    EXPECT_EQ(contents(folder + "/first.log"), "");
    first.stop();
}

}  // namespace
}  // namespace tivra::test
