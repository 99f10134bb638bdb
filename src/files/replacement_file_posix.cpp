#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <thread>

#include "files/file_handle.h"
#include "files/file_input.h"
#include "files/file_texts.h"
#include "files/replacement_file.h"

namespace tivra {

namespace {

// The file a path names once the symbolic links of its last part are followed, also when the last
// one dangles. False for a loop of links.
bool followLinks(std::string& path) {
    namespace fs = std::filesystem;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) return true;
        const fs::path pointsTo = fs::read_symlink(path, error);
        if (error) return true;
        path = pointsTo.is_absolute() ? pointsTo.string()
                                      : file_handle::folderOf(path) + pointsTo.string();
    }
    return false;
}

}  // namespace

ReplacementFile::Preparation ReplacementFile::prepareTarget() {
    struct stat existing {};
    const bool exists = stat(target_.c_str(), &existing) == 0;
    // Renaming over a FIFO or a device would put a plain file in its place (as root, even over
    // the system's /dev/null).
    if (exists && !S_ISREG(existing.st_mode) && !S_ISDIR(existing.st_mode)) {
        openInPlace(S_ISFIFO(existing.st_mode));
        return Preparation::Done;
    }
    // A symbolic link stays a link: the file it points to is the one replaced or created.
    if (!followLinks(target_)) {
        fail(std::strerror(ELOOP));
        return Preparation::Done;
    }
    // Replacing by rename would get round a write-protected file; refuse it as an in-place
    // write would.
    if (exists && access(target_.c_str(), W_OK) != 0) {
        fail(std::string(std::strerror(errno)) + " (the file is write-protected)");
        return Preparation::Done;
    }
    return Preparation::Replace;
}

void ReplacementFile::takeOverAttributes() {
    struct stat existing {};
    if (stat(target_.c_str(), &existing) != 0) return;
    // The new file keeps the owner, group and access rights of the one it replaces. Only a
    // privileged process may give a file away; any other keeps the file as its own.
    if (existing.st_uid != geteuid() || existing.st_gid != getegid()) {
        [[maybe_unused]] const int given = fchown(handle_, existing.st_uid, existing.st_gid);
    }
    fchmod(handle_, existing.st_mode & 07777);
}

bool ReplacementFile::openInPlace(bool fifo) {
    const file_handle::Clock::time_point deadline = file_handle::Clock::now() + STREAM_WAIT;
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
        if (file_handle::Clock::now() >= deadline)
            return fail(std::string(NO_READER_REASON) + std::to_string(STREAM_WAIT.count()) +
                        " seconds");
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

}  // namespace tivra
