#pragma once
// One copy of the program at a time: a named mutex on Windows, a lock file held with flock
// elsewhere (released by the system if the program dies).

#ifndef _WIN32
#include <string>
#endif

namespace tivra {

constexpr const char* INSTANCE_GUARD_NAME = "QV_tivra";

#ifndef _WIN32
// Where the lock file lives: $XDG_RUNTIME_DIR when it names a folder, else a private per-user
// folder under /tmp (created 0700 by acquire). Both end with "/".
std::string instanceGuardFolder();
// The lock file itself: instanceGuardFolder() + INSTANCE_GUARD_NAME.
std::string instanceGuardPath();
#endif

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
#ifdef _WIN32
    void* mutex_ = nullptr;
#else
    int fd_ = -1;
#endif
};

}  // namespace tivra
