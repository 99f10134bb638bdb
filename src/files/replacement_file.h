#pragma once
// Where a save puts its bytes. A regular file, or one that does not exist yet, is written beside
// its target and put in the target's place only once it is complete on disk, so that a failed
// save never destroys the file it was meant to replace. Anything else that exists (a FIFO, a
// device, a link to a pipe) is written in place: opened for writing, never created, replaced or
// cut. A symbolic link is never replaced itself: the file it points to is written (and created
// when the link dangles).

#include <string>
#include <string_view>

namespace tivra {

class ReplacementFile {
  public:
    ReplacementFile() = default;
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    // A file never committed is removed; the target stays as it was.
    ~ReplacementFile();

    // Creates an empty temporary file in the target's folder, first removing the temporary files
    // that saves killed midway left there; or opens a target that is written in place. False
    // (with error() set) when that is impossible or when an existing target may not be written.
    bool create(const std::string& target);
    // Writes all bytes to the temporary file, flushes them to disk and renames the file over the
    // target (keeping its access rights, owner and group where the process may). On any failure
    // the temporary file is removed, the target is untouched and the result is false. A target
    // written in place gets the bytes directly.
    bool commit(std::string_view bytes);
    // Removes the temporary file without touching the target.
    void abandon();

    bool isOpen() const { return handle_ >= 0; }
    // The file that commit() writes: the path given, or the file a symbolic link points to.
    const std::string& target() const { return target_; }
    const std::string& temporaryPath() const { return temporary_; }
    // What went wrong, for people: the system's reason and the step, e.g.
    // "Not a directory (while creating a file beside it)".
    const std::string& error() const { return error_; }

  private:
    bool fail(const std::string& what);
    // The platform's part (replacement_file_posix.cpp, replacement_file_windows.cpp): before the
    // temporary file is made, a look at an existing target, which may be written in place
    // (Done: opened, or refused with error_ set) or lead to the file a link points to (target_);
    // after, the temporary file takes over what the replaced one had.
    enum class Preparation { Replace, Done };
    Preparation prepareTarget();
    void takeOverAttributes();
    bool openInPlace(bool fifo);

    int handle_ = -1;
    bool inPlace_ = false;
    std::string target_;
    std::string temporary_;
    std::string error_;
};

}  // namespace tivra
