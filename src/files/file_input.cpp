#include "files/file_input.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <cstring>

#include "files/file_handle.h"
#include "files/file_texts.h"

namespace tivra {

namespace {

using file_handle::Deadline;

std::string tooLarge() {
    return std::string(TOO_LARGE_REASON) + std::to_string(MAX_FILE_SIZE / 1024) + " KiB)";
}

// Reads to the end of the handle. A stream is waited on before each read, up to the deadline
// when there is one; a regular file never needs it.
bool readToEnd(int handle, bool stream, const Deadline& deadline, std::string& content,
               std::string& reason) {
    content.clear();
    char buffer[16 * 1024];
    for (;;) {
        if (stream && !file_handle::waitForData(handle, deadline, reason)) return false;
        const long got = file_handle::readSome(handle, buffer, sizeof buffer);
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
    const int handle = file_handle::openForReading(path);
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
    file_handle::closeHandle(handle);
    return read;
}

bool readStandardInput(std::string& content, std::string& reason) {
    file_handle::readStandardInputAsBytes();
    return readToEnd(0, true, std::nullopt, content, reason);
}

}  // namespace tivra
