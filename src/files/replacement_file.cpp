#include "files/replacement_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "files/file_handle.h"
#include "files/file_input.h"
#include "files/native_path.h"

namespace tivra {

namespace {

using namespace file_handle;

// Temporary files are named ".tivra-save-PID-N.tmp", so that a later save can tell whether the
// process that made one still runs.
constexpr std::string_view TEMPORARY_PREFIX = ".tivra-save-";
constexpr std::string_view TEMPORARY_SUFFIX = ".tmp";

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

// Writes all bytes; a pipe or FIFO whose reader is slow is waited on until the deadline.
bool writeAll(int handle, std::string_view bytes, Clock::time_point deadline) {
    while (!bytes.empty()) {
        const long written = writeSome(handle, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR || waitUntilWritable(handle, deadline)) continue;
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

    if (prepareTarget() == Preparation::Done) return error_.empty();
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
    takeOverAttributes();
    return true;
}

bool ReplacementFile::commit(std::string_view bytes) {
    if (handle_ < 0) {
        if (error_.empty()) error_ = "no file to write";
        return false;
    }
    if (!writeAll(handle_, bytes, Clock::now() + STREAM_WAIT))
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
