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

extern char** environ;
#endif

namespace tivra::test {

using Clock = std::chrono::steady_clock;

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

bool ChildProcess::started() const {
    return process_ != nullptr;
}

int ChildProcess::wait(int timeoutMs) {
    DWORD code = 0;
    if (process_ == nullptr ||
        WaitForSingleObject(static_cast<HANDLE>(process_), static_cast<DWORD>(timeoutMs)) !=
            WAIT_OBJECT_0 ||
        !GetExitCodeProcess(static_cast<HANDLE>(process_), &code)) {
        return -1;
    }
    return static_cast<int>(code);
}

void ChildProcess::kill() {
    if (process_ == nullptr) return;
    TerminateProcess(static_cast<HANDLE>(process_), 9);  // harmless when it has ended
    WaitForSingleObject(static_cast<HANDLE>(process_), 10000);
    CloseHandle(static_cast<HANDLE>(process_));
    process_ = nullptr;
}

#else

ChildProcess::ChildProcess(const std::string& name, const std::vector<std::string>& arguments) {
    std::vector<std::string> words = {programFolder() + name};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0) pid_ = pid;
}

bool ChildProcess::started() const {
    return pid_ > 0;
}

int ChildProcess::wait(int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (pid_ > 0) {
        int status = 0;
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            pid_ = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        if (done < 0 || Clock::now() >= deadline) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return -1;
}

void ChildProcess::kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

#endif

ChildProcess::~ChildProcess() {
    kill();
}

bool waitForFile(const std::string& path, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!std::filesystem::exists(path)) {
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace tivra::test
