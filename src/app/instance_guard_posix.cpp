#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "app/instance_guard.h"

namespace tivra {

namespace {

// A runtime folder that is named but missing must not stop the program from starting.
bool usableRuntimeFolder(const char* runtime) {
    struct stat info {};
    return runtime != nullptr && runtime[0] != '\0' && stat(runtime, &info) == 0 &&
           S_ISDIR(info.st_mode);
}

std::string fallbackFolder() {
    return "/tmp/tivra-" + std::to_string(getuid()) + "/";
}

// The shared /tmp fallback must be ours alone: another user could otherwise create it first and
// hold the lock (or swap the file) for us.
bool ensurePrivateFolder(const std::string& folder) {
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
    struct stat info {};
    if (lstat(folder.c_str(), &info) != 0) return false;
    return S_ISDIR(info.st_mode) && info.st_uid == getuid() && (info.st_mode & 077) == 0;
}

}  // namespace

std::string instanceGuardFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!usableRuntimeFolder(runtime)) return fallbackFolder();
    std::string folder = runtime;
    if (folder.back() != '/') folder += '/';
    return folder;
}

std::string instanceGuardPath() {
    return instanceGuardFolder() + INSTANCE_GUARD_NAME;
}

bool InstanceGuard::acquire() {
    if (fd_ >= 0) return true;
    const std::string folder = instanceGuardFolder();
    if (folder == fallbackFolder() && !ensurePrivateFolder(folder)) return false;

    // Close-on-exec: a browser started for the help must not keep the lock after we exit.
    const int fd =
        open(instanceGuardPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return false;
    int locked;
    do {
        locked = flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void InstanceGuard::release() {
    if (fd_ < 0) return;
    // Closing drops the lock; the file stays so that a racing copy never locks a deleted inode.
    ::close(fd_);
    fd_ = -1;
}

}  // namespace tivra
