#pragma once
// One copy of the program at a time: a named mutex on Windows, a lock file held with flock
// elsewhere (released by the system if the program dies).

#include <string>

namespace tivra {

constexpr const char* INSTANCE_GUARD_NAME = "QV_tivra";

// POSIX: where the lock file lives: $XDG_RUNTIME_DIR when it names a folder, else a private
// per-user folder under /tmp (created 0700 by acquire). Both end with "/".
std::string instanceGuardFolder();
// The lock file itself: instanceGuardFolder() + INSTANCE_GUARD_NAME.
std::string instanceGuardPath();

class InstanceGuard {
  public:
    InstanceGuard() = default;
    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;
    ~InstanceGuard();

    // True when this is the only running copy; false when another copy holds the guard or the
    // guard cannot be created (nothing is held then).
    bool acquire();
    // Gives the guard up; safe to call when nothing is held.
    void release();

  private:
    // What is held: the mutex (Windows, instance_guard_windows.cpp), the locked file
    // (instance_guard_posix.cpp).
    void* mutex_ = nullptr;
    int fd_ = -1;
};

}  // namespace tivra
