#pragma once
// Starts a helper program of the platform tests as a real second process.

#include <string>
#include <vector>

namespace tivra::test {

class ChildProcess {
  public:
    // Starts programFolder() + name (".exe" added on Windows) with the given arguments.
    ChildProcess(const std::string& name, const std::vector<std::string>& arguments);
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    bool started() const;
    // Waits at most timeoutMs; the exit status, or -1 when it did not end in time.
    int wait(int timeoutMs);
    // Ends it at once, as a crash would: no clean-up runs in it.
    void kill();

  private:
#ifdef _WIN32
    void* process_ = nullptr;
#else
    int pid_ = -1;
#endif
};

// Waits at most timeoutMs for a file to appear.
bool waitForFile(const std::string& path, int timeoutMs);

}  // namespace tivra::test
