#include "files/file_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "files/file_texts.h"
#include "files/native_path.h"

#ifdef _WIN32
#include <io.h>
#else
#include <poll.h>
#include <unistd.h>
#endif

namespace tivra {

namespace {

using Deadline = std::optional<std::chrono::steady_clock::time_point>;

std::string tooLarge() {
    return std::string(TOO_LARGE_REASON) + std::to_string(MAX_FILE_SIZE / 1024) + " KiB)";
}

#ifdef _WIN32
int readSome(int handle, char* buffer, unsigned size) {
    return _read(handle, buffer, size);
}
#else
ssize_t readSome(int handle, char* buffer, size_t size) {
    return read(handle, buffer, size);
}

// Waits until the handle has bytes or its end to give. Only a FIFO's first writer closing gives
// it an end, so a FIFO that nobody opens for writing waits here rather than reading as empty.
bool waitForData(int handle, const Deadline& deadline, std::string& reason) {
    for (;;) {
        int timeout = -1;
        if (deadline) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(
                *deadline - std::chrono::steady_clock::now());
            timeout = left.count() > 0 ? static_cast<int>(left.count()) : 0;
        }
        pollfd watched{handle, POLLIN, 0};
        const int ready = poll(&watched, 1, timeout);
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
#endif

// Reads to the end of the handle. A stream is waited on before each read, up to the deadline
// when there is one; a regular file never needs it.
bool readToEnd(int handle, [[maybe_unused]] bool stream, [[maybe_unused]] const Deadline& deadline,
               std::string& content, std::string& reason) {
    content.clear();
    char buffer[16 * 1024];
    for (;;) {
#ifndef _WIN32
        if (stream && !waitForData(handle, deadline, reason)) return false;
#endif
        const auto got = readSome(handle, buffer, sizeof buffer);
        if (got > 0) {
            if (content.size() + static_cast<size_t>(got) > MAX_FILE_SIZE) {
                reason = tooLarge();
                return false;
            }
            content.append(buffer, static_cast<size_t>(got));
        } else if (got == 0) {
            return true;
        } else if (errno != EINTR && errno != EAGAIN) {
            reason = std::strerror(errno);
            return false;
        }
    }
}

}  // namespace

bool readWholeFile(const std::string& path, std::string& content, std::string& reason) {
#ifdef _WIN32
    const int handle = _wopen(fileSystemPath(path).c_str(), _O_RDONLY | _O_BINARY);
#else
    // Without O_NONBLOCK, opening a FIFO waits for a writer for as long as none comes.
    const int handle = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
#endif
    if (handle < 0) {
        reason = std::strerror(errno);
        return false;
    }
    struct stat info {};
    bool read = false;
    if (fstat(handle, &info) != 0) {
        reason = std::strerror(errno);
    } else if ((info.st_mode & S_IFMT) == S_IFDIR) {
        reason = std::strerror(EISDIR);
    } else {
        const bool stream = (info.st_mode & S_IFMT) != S_IFREG;
        read = readToEnd(handle, stream, std::chrono::steady_clock::now() + STREAM_WAIT, content,
                         reason);
    }
#ifdef _WIN32
    _close(handle);
#else
    close(handle);
#endif
    return read;
}

bool readStandardInput(std::string& content, std::string& reason) {
#ifdef _WIN32
    _setmode(0, _O_BINARY);  // the bytes as they are, CR included
#endif
    return readToEnd(0, true, std::nullopt, content, reason);
}

}  // namespace tivra
