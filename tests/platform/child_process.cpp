#include "child_process.h"

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/program_folder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace tivra::test {

namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

#ifdef _WIN32

ChildProcess::ChildProcess(const std::string& name, const std::vector<std::string>& arguments) {
    const std::string program = programFolder() + name + ".exe";
    std::string commandLine = "\"" + program + "\"";
    for (const auto& argument : arguments) commandLine += " \"" + argument + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
    }
}

ChildProcess::~ChildProcess() {
    if (process_ == nullptr) return;
    if (wait(0) < 0) kill();
    CloseHandle(static_cast<HANDLE>(process_));
}

bool ChildProcess::started() const {
    return process_ != nullptr;
}

int ChildProcess::wait(int timeoutMs) {
    if (process_ == nullptr) return -1;
    if (WaitForSingleObject(static_cast<HANDLE>(process_), static_cast<DWORD>(timeoutMs)) !=
        WAIT_OBJECT_0) {
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(static_cast<HANDLE>(process_), &code);
    return static_cast<int>(code);
}

void ChildProcess::kill() {
    if (process_ == nullptr) return;
    TerminateProcess(static_cast<HANDLE>(process_), 9);
    WaitForSingleObject(static_cast<HANDLE>(process_), 10000);
}

#else

ChildProcess::ChildProcess(const std::string& name, const std::vector<std::string>& arguments) {
    const std::string program = programFolder() + name;
    std::vector<std::string> words = {program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) == 0) pid_ = pid;
}

ChildProcess::~ChildProcess() {
    if (pid_ < 0) return;
    kill();
}

bool ChildProcess::started() const {
    return pid_ > 0;
}

int ChildProcess::wait(int timeoutMs) {
    if (pid_ < 0) return -1;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            pid_ = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        if (done < 0 || Clock::now() >= deadline) return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void ChildProcess::kill() {
    if (pid_ < 0) return;
    ::kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

#endif

bool waitForFile(const std::string& path, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!std::filesystem::exists(path)) {
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace tivra::test
