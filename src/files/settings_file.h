#pragma once
// The settings document behind ".smc" files: comment lines, [group] headers and "key = value"
// entries. Reading is lenient (any line ends, a byte-order mark, odd blanks, any letter case);
// writing produces one fixed layout with CR LF line ends.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/replacement_file.h"

namespace tivra {

struct SettingsLine {
    enum class Kind { Group, Comment, Entry };
    Kind kind = Kind::Comment;
    std::string name;   // group name, comment text or entry key
    std::string value;  // entry value text
    // Where a line read from a file stood, for warnings about it; not part of what it says.
    size_t lineNumber = 0;  // 1 for the file's first line; 0 for a line the program made
    bool keyOnly = false;   // an entry whose line had no "=" (its value is then empty)
    // A group line: no "]" closed the name; or what followed "]" on the line (not read).
    bool unclosed = false;
    std::string afterGroup{};

    friend bool operator==(const SettingsLine& a, const SettingsLine& b) {
        return a.kind == b.kind && a.name == b.name && a.value == b.value;
    }
};

class SettingsFile {
  public:
    SettingsFile() = default;
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;
    // A writing document that was never closed is abandoned: its file is not written.
    ~SettingsFile();

    // Reads the whole file (a FIFO, pipe or device to its end; see file_input.h). Non-zero when it
    // was read (an empty file included); 0 when it could not be, and every readInteger then gives
    // its default.
    int openForReading(const std::string& path);
    // Reads a document from text already in memory (standard input, a test, a fuzzer): as
    // openForReading of a file holding exactly these bytes, except that nothing is ever written.
    void openFromText(std::string_view text);
    // 1 when the group exists and becomes current; 0 when not, and the name is kept as the group
    // that the next write creates.
    int selectGroup(const std::string& name);
    int32_t readInteger(const std::string& key, int32_t defaultValue);

    // Starts an empty document that close() puts in place of the file at path. Non-zero when the
    // file can be written (its temporary file beside it was created); 0 when not.
    int createForWriting(const std::string& path);
    // An empty writing document with no file, for taking its text without writing anything.
    void createInMemory();
    void writeComment(const std::string& text);
    void writeInteger(const std::string& key, int32_t value);

    // Ends the document. A modified document with a file is written out first: its text goes to
    // a temporary file beside the target, is flushed to disk and renamed over the target. True
    // when that succeeded or nothing had to be written; false when the text did not reach the
    // disk, in which case the earlier file is left as it was.
    bool close();

    // What close() would write: every line in order with CR LF behind it.
    std::string documentText() const;
    const std::vector<SettingsLine>& lines() const { return lines_; }
    // The number of the text's last line, for what concerns the end of a read file (0: empty).
    size_t lastLineNumber() const { return lastLine_; }
    bool isUtf8() const { return utf8_; }
    // Why the last open, create or close failed, for people.
    const std::string& error() const { return error_; }

  private:
    enum class State { None, Reading, Writing };

    void parse(std::string_view text);
    std::string documentName(const std::string& name) const;
    // First entry with the key in the current group's section; none when absent.
    std::optional<size_t> findEntry(const std::string& key) const;
    size_t sectionEnd() const;
    void insertLine(size_t position, SettingsLine line);
    void appendPendingGroup();
    void reset();

    State state_ = State::None;
    std::string path_;
    bool hasFile_ = false;  // a reading document whose file was read, or a writing one with a file
    bool modified_ = false;
    bool utf8_ = false;
    std::vector<SettingsLine> lines_;
    size_t lastLine_ = 0;
    std::optional<size_t> currentGroup_;
    std::optional<size_t> insertionPoint_;
    std::optional<std::string> pendingGroup_;
    ReplacementFile output_;
    std::string error_;
};

}  // namespace tivra
