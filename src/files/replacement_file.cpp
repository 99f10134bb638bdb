#include "files/replacement_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace tivra {

namespace {

#ifdef _WIN32
constexpr bool isSeparator(char c) {
    return c == '/' || c == '\\' || c == ':';
}
int currentProcessId() {
    return _getpid();
}
#else
constexpr bool isSeparator(char c) {
    return c == '/';
}
int currentProcessId() {
    return static_cast<int>(getpid());
}
#endif

// The folder part of a path including its trailing separator, "" for a bare name.
std::string folderOf(const std::string& path) {
    for (size_t i = path.size(); i > 0; --i)
        if (isSeparator(path[i - 1])) return path.substr(0, i);
    return std::string();
}

int createExclusive(const std::string& path) {
#ifdef _WIN32
    return _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
}

bool writeAll(int handle, std::string_view bytes) {
    while (!bytes.empty()) {
        // Small enough for the int count of the Windows C library.
        const size_t chunk = bytes.size() < (1u << 30) ? bytes.size() : (1u << 30);
#ifdef _WIN32
        const int written = _write(handle, bytes.data(), static_cast<unsigned>(chunk));
#else
        const ssize_t written = write(handle, bytes.data(), chunk);
#endif
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

bool flushToDisk(int handle) {
#ifdef _WIN32
    return _commit(handle) == 0;
#else
    return fsync(handle) == 0;
#endif
}

bool closeHandle(int handle) {
#ifdef _WIN32
    return _close(handle) == 0;
#else
    return close(handle) == 0;
#endif
}

bool removeFile(const std::string& path) {
#ifdef _WIN32
    return _unlink(path.c_str()) == 0;
#else
    return unlink(path.c_str()) == 0;
#endif
}

// Puts the finished file in the target's place in one step.
bool renameOver(const std::string& from, const std::string& to, std::string& reason) {
#ifdef _WIN32
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    reason = "system error " + std::to_string(GetLastError());
    return false;
#else
    if (std::rename(from.c_str(), to.c_str()) == 0) return true;
    reason = std::strerror(errno);
    return false;
#endif
}

// Makes the rename itself durable. Not every file system can sync a folder, and the file is
// already complete in its place, so a failure here changes nothing.
void syncFolder([[maybe_unused]] const std::string& folder) {
#ifndef _WIN32
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
#endif
}

}  // namespace

ReplacementFile::~ReplacementFile() {
    abandon();
}

bool ReplacementFile::fail(const std::string& what) {
    error_ = what;
    abandon();
    return false;
}

bool ReplacementFile::create(const std::string& target) {
    abandon();
    error_.clear();
    target_ = target;
    if (target.empty()) return fail("no file name given");

#ifndef _WIN32
    // A symbolic link stays a link: the file it points to is the one replaced.
    struct stat link {};
    if (lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char* resolved = realpath(target.c_str(), nullptr)) {
            target_ = resolved;
            std::free(resolved);
        }
    }
    // Replacing by rename would get round a write-protected file; refuse it as an in-place
    // write would.
    struct stat existing {};
    const bool exists = stat(target_.c_str(), &existing) == 0;
    if (exists && access(target_.c_str(), W_OK) != 0)
        return fail(std::string(std::strerror(errno)) + " (the file is write-protected)");
#endif

    const std::string folder = folderOf(target_);
    const std::string stem = folder + ".tivra-save-" + std::to_string(currentProcessId()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary_ = stem + std::to_string(attempt) + ".tmp";
        handle_ = createExclusive(temporary_);
        if (handle_ >= 0) break;
        if (errno != EEXIST) break;
    }
    if (handle_ < 0) {
        const std::string reason = std::strerror(errno);
        temporary_.clear();
        return fail(reason + " (while creating a file beside it)");
    }
#ifndef _WIN32
    // The new file keeps the access rights of the one it replaces.
    if (exists) fchmod(handle_, existing.st_mode & 07777);
#endif
    return true;
}

bool ReplacementFile::commit(std::string_view bytes) {
    if (handle_ < 0) {
        if (error_.empty()) error_ = "no file to write";
        return false;
    }
    if (!writeAll(handle_, bytes))
        return fail(std::strerror(errno) + std::string(" (while writing)"));
    if (!flushToDisk(handle_))
        return fail(std::strerror(errno) + std::string(" (while flushing to disk)"));
    const int handle = handle_;
    handle_ = -1;
    if (!closeHandle(handle)) return fail(std::strerror(errno) + std::string(" (while closing)"));
    std::string reason;
    if (!renameOver(temporary_, target_, reason))
        return fail(reason + " (while putting it in place)");
    temporary_.clear();
    syncFolder(folderOf(target_));
    return true;
}

void ReplacementFile::abandon() {
    if (handle_ >= 0) {
        closeHandle(handle_);
        handle_ = -1;
    }
    if (!temporary_.empty()) {
        removeFile(temporary_);
        temporary_.clear();
    }
}

}  // namespace tivra
