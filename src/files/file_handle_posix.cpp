#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "files/file_handle.h"
#include "files/file_input.h"
#include "files/file_texts.h"

namespace tivra::file_handle {

namespace {

// Milliseconds to the deadline for poll: -1 without one, 0 when it has passed.
int pollTimeout(const Deadline& deadline) {
    if (!deadline) return -1;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

bool isSeparator(char c) {
    return c == '/';
}

int openForReading(const std::string& path) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer for as long as none comes.
    return open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

int createExclusive(const std::string& path) {
    return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

long readSome(int handle, char* buffer, size_t size) {
    return static_cast<long>(read(handle, buffer, size));
}

bool waitForData(int handle, const Deadline& deadline, std::string& reason) {
    for (;;) {
        pollfd watched{handle, POLLIN, 0};
        const int ready = poll(&watched, 1, pollTimeout(deadline));
        if (ready > 0) return true;
        if (ready == 0) {
            reason = std::string(NO_END_REASON) + std::to_string(STREAM_WAIT.count()) + " seconds";
            return false;
        }
        if (errno != EINTR) {
            reason = std::strerror(errno);
            return false;
        }
    }
}

long writeSome(int handle, const char* bytes, size_t size) {
    return static_cast<long>(write(handle, bytes, size));
}

bool waitUntilWritable(int handle, Clock::time_point deadline) {
    if (errno != EAGAIN) return false;
    for (;;) {
        if (Clock::now() >= deadline) {
            errno = ETIMEDOUT;
            return false;
        }
        pollfd watched{handle, POLLOUT, 0};
        const int ready = poll(&watched, 1, pollTimeout(deadline));
        if (ready > 0) return true;
        if (ready < 0 && errno != EINTR) return false;
    }
}

bool flushToDisk(int handle) {
    return fsync(handle) == 0;
}

bool closeHandle(int handle) {
    return close(handle) == 0;
}

bool removeFile(const std::string& path) {
    return unlink(path.c_str()) == 0;
}

bool renameOver(const std::string& from, const std::string& to, std::string& reason) {
    if (std::rename(from.c_str(), to.c_str()) == 0) return true;
    reason = std::strerror(errno);
    return false;
}

void syncFolder(const std::string& folder) {
    // Not every file system can sync a folder; the file is already complete in its place.
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

void readStandardInputAsBytes() {}

long currentProcessId() {
    return static_cast<long>(getpid());
}

bool processGone(long pid) {
    // A process of another user that still runs answers EPERM.
    return kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace tivra::file_handle
