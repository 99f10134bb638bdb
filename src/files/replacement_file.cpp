#include "files/replacement_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <thread>

#include "files/file_input.h"
#include "files/file_texts.h"
#include "files/native_path.h"

#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <poll.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace tivra {

namespace {

using Clock = std::chrono::steady_clock;

// Temporary files are named ".tivra-save-PID-N.tmp", so that a later save can tell whether the
// process that made one still runs.
constexpr std::string_view TEMPORARY_PREFIX = ".tivra-save-";
constexpr std::string_view TEMPORARY_SUFFIX = ".tmp";

#ifdef _WIN32
constexpr bool isSeparator(char c) {
    return c == '/' || c == '\\' || c == ':';
}
long currentProcessId() {
    return _getpid();
}
bool processGone(long pid) {
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}
#else
constexpr bool isSeparator(char c) {
    return c == '/';
}
long currentProcessId() {
    return static_cast<long>(getpid());
}
// A process of another user that still runs answers EPERM, and is not gone.
bool processGone(long pid) {
    return kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}
#endif

bool allDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The process that made a save's temporary file, from the file's name; 0 when the name is not
// one of ours. Names outside printable ASCII are never ours.
template <class Name>
long temporaryOwner(const Name& native) {
    std::string name;
    for (const auto c : native) {
        if (c < 0x20 || c > 0x7E) return 0;
        name.push_back(static_cast<char>(c));
    }
    if (!name.starts_with(TEMPORARY_PREFIX) || !name.ends_with(TEMPORARY_SUFFIX)) return 0;
    const std::string middle = name.substr(
        TEMPORARY_PREFIX.size(), name.size() - TEMPORARY_PREFIX.size() - TEMPORARY_SUFFIX.size());
    const size_t dash = middle.find('-');
    if (dash == std::string::npos || dash > 9 || !allDigits(middle.substr(0, dash)) ||
        !allDigits(middle.substr(dash + 1)))
        return 0;
    return std::stol(middle.substr(0, dash));
}

// Removes what saves killed midway left in the folder: only our temporary files, and only those
// whose process is gone (a save running at this moment keeps its own).
void removeStaleTemporaries(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator entry(fileSystemPath(folder.empty() ? "." : folder), error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        const long owner = temporaryOwner(pathText(entry->path().filename()));
        std::error_code ignored;
        if (owner != 0 && owner != currentProcessId() &&
            entry->symlink_status(ignored).type() == fs::file_type::regular && processGone(owner))
            fs::remove(entry->path(), ignored);
    }
}

// The folder part of a path including its trailing separator, "" for a bare name.
std::string folderOf(const std::string& path) {
    for (size_t i = path.size(); i > 0; --i)
        if (isSeparator(path[i - 1])) return path.substr(0, i);
    return std::string();
}

int createExclusive(const std::string& path) {
#ifdef _WIN32
    return _wopen(fileSystemPath(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                  _S_IREAD | _S_IWRITE);
#else
    return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
}

#ifndef _WIN32
// A pipe or FIFO whose reader is slow: waits until it takes more, up to the deadline.
bool waitUntilWritable(int handle, Clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            errno = ETIMEDOUT;
            return false;
        }
        pollfd watched{handle, POLLOUT, 0};
        const int ready = poll(&watched, 1, static_cast<int>(left.count()));
        if (ready > 0) return true;
        if (ready < 0 && errno != EINTR) return false;
    }
}

// The file a path names once the symbolic links of its last part are followed, also when the last
// one dangles. False for a loop of links.
bool followLinks(std::string& path) {
    namespace fs = std::filesystem;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) return true;
        const fs::path pointsTo = fs::read_symlink(path, error);
        if (error) return true;
        path = pointsTo.is_absolute() ? pointsTo.string() : folderOf(path) + pointsTo.string();
    }
    return false;
}
#endif

bool writeAll(int handle, std::string_view bytes) {
    [[maybe_unused]] const Clock::time_point deadline = Clock::now() + STREAM_WAIT;
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
#ifndef _WIN32
            if (errno == EAGAIN && waitUntilWritable(handle, deadline)) continue;
#endif
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
    return _wunlink(fileSystemPath(path).c_str()) == 0;
#else
    return unlink(path.c_str()) == 0;
#endif
}

// Puts the finished file in the target's place in one step.
bool renameOver(const std::string& from, const std::string& to, std::string& reason) {
#ifdef _WIN32
    if (MoveFileExW(fileSystemPath(from).c_str(), fileSystemPath(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
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
    struct stat existing {};
    const bool exists = stat(target.c_str(), &existing) == 0;
    // Renaming over a FIFO or a device would put a plain file in its place (as root, even over
    // the system's /dev/null).
    if (exists && !S_ISREG(existing.st_mode) && !S_ISDIR(existing.st_mode))
        return openInPlace(S_ISFIFO(existing.st_mode));
    // A symbolic link stays a link: the file it points to is the one replaced or created.
    if (!followLinks(target_)) return fail(std::strerror(ELOOP));
    // Replacing by rename would get round a write-protected file; refuse it as an in-place
    // write would.
    if (exists && access(target_.c_str(), W_OK) != 0)
        return fail(std::string(std::strerror(errno)) + " (the file is write-protected)");
#endif

    const std::string folder = folderOf(target_);
    removeStaleTemporaries(folder);
    const std::string stem =
        folder + std::string(TEMPORARY_PREFIX) + std::to_string(currentProcessId()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary_ = stem + std::to_string(attempt) + std::string(TEMPORARY_SUFFIX);
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
    if (exists) {
        // The new file keeps the owner, group and access rights of the one it replaces. Only a
        // privileged process may give a file away; any other keeps the file as its own.
        if (existing.st_uid != geteuid() || existing.st_gid != getegid()) {
            [[maybe_unused]] const int given = fchown(handle_, existing.st_uid, existing.st_gid);
        }
        fchmod(handle_, existing.st_mode & 07777);
    }
#endif
    return true;
}

#ifndef _WIN32
bool ReplacementFile::openInPlace(bool fifo) {
    const Clock::time_point deadline = Clock::now() + STREAM_WAIT;
    for (;;) {
        // Never created or cut. Without O_NONBLOCK, opening a FIFO would wait for a reader for as
        // long as none comes; with it, the open fails until one is there.
        handle_ = open(target_.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (handle_ >= 0) {
            inPlace_ = true;
            return true;
        }
        if (!fifo || errno != ENXIO)
            return fail(std::strerror(errno) + std::string(" (while opening it for writing)"));
        if (Clock::now() >= deadline)
            return fail(std::string(NO_READER_REASON) + std::to_string(STREAM_WAIT.count()) +
                        " seconds");
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}
#endif

bool ReplacementFile::commit(std::string_view bytes) {
    if (handle_ < 0) {
        if (error_.empty()) error_ = "no file to write";
        return false;
    }
    if (!writeAll(handle_, bytes))
        return fail(std::strerror(errno) + std::string(" (while writing)"));
    if (inPlace_) {
        const int handle = handle_;
        handle_ = -1;
        inPlace_ = false;
        return closeHandle(handle) || fail(std::strerror(errno) + std::string(" (while closing)"));
    }
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
    inPlace_ = false;
    if (!temporary_.empty()) {
        removeFile(temporary_);
        temporary_.clear();
    }
}

}  // namespace tivra
