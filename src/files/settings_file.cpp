#include "files/settings_file.h"

#include <utility>

#include "config/number_text.h"
#include "config/text_compare.h"
#include "files/file_input.h"

namespace tivra {

namespace {

// A NUL byte ends a line like CR and LF do, so the reader always moves on.
constexpr bool isLineEnd(char c) {
    return c == '\r' || c == '\n' || c == '\0';
}
constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// 8-bit text as UTF-8: each byte from 0x80 up becomes its two-byte sequence.
std::string latin1ToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return out;
}

}  // namespace

SettingsFile::~SettingsFile() = default;

void SettingsFile::reset() {
    state_ = State::None;
    path_.clear();
    hasFile_ = false;
    modified_ = false;
    utf8_ = false;
    lines_.clear();
    lastLine_ = 0;
    currentGroup_.reset();
    insertionPoint_.reset();
    pendingGroup_.reset();
    output_.abandon();
}

int SettingsFile::openForReading(const std::string& path) {
    close();
    error_.clear();
    state_ = State::Reading;
    path_ = path;
    std::string content;
    std::string reason;
    if (!readWholeFile(path, content, reason)) {
        // A document without a file: it keeps the path and every value reads as its default.
        error_ = "cannot open " + path + ": " + reason;
        return 0;
    }
    openFromText(content);
    path_ = path;
    return 1;
}

void SettingsFile::openFromText(std::string_view text) {
    close();
    error_.clear();
    state_ = State::Reading;
    hasFile_ = true;
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") {
        utf8_ = true;
        text.remove_prefix(3);
    }
    parse(text);
}

void SettingsFile::parse(std::string_view text) {
    const size_t end = text.size();
    // The text as if followed by NUL bytes, so every scan stops at its end.
    auto at = [&](size_t i) { return i < end ? text[i] : '\0'; };
    auto slice = [&](size_t from, size_t to) { return std::string(text.substr(from, to - from)); };

    size_t p = 0;
    size_t lineNumber = 1;
    while (p < end) {
        while (isBlank(at(p))) ++p;
        const char c = at(p);
        if (c == ';') {
            ++p;
            if (at(p) == ' ') ++p;
            const size_t start = p;
            while (!isLineEnd(at(p))) ++p;
            lines_.push_back({SettingsLine::Kind::Comment, slice(start, p), {}, lineNumber});
        } else if (c == '[') {
            const size_t start = ++p;
            while (at(p) != ']' && !isLineEnd(at(p))) ++p;
            SettingsLine group{SettingsLine::Kind::Group, slice(start, p), {}, lineNumber};
            group.unclosed = at(p) != ']';
            const size_t after = group.unclosed ? p : p + 1;
            while (!isLineEnd(at(p))) ++p;  // whatever follows "]" is not read
            if (after < p) group.afterGroup = slice(after, p);
            lines_.push_back(std::move(group));
        } else if (!isLineEnd(c)) {
            const size_t start = p;
            while (at(p) != '=' && !isLineEnd(at(p))) ++p;
            size_t keyEnd = p;
            while (keyEnd > start && isBlank(at(keyEnd - 1))) --keyEnd;
            std::string value;
            const bool keyOnly = at(p) != '=';
            if (!keyOnly) {
                ++p;
                while (isBlank(at(p))) ++p;
                const size_t valueStart = p;
                while (!isLineEnd(at(p))) ++p;
                value = slice(valueStart, p);
            }
            lines_.push_back({SettingsLine::Kind::Entry, slice(start, keyEnd), std::move(value),
                              lineNumber, keyOnly});
        }
        // CR LF, LF CR, a lone CR and a lone LF each end one line as an editor counts them; NUL
        // bytes end a line for the reader only.
        while (p < end && isLineEnd(at(p))) {
            const char c = at(p++);
            if (c != '\n' && c != '\r') continue;
            ++lineNumber;
            if (at(p) == (c == '\n' ? '\r' : '\n')) ++p;
        }
    }
    const bool endsWithBreak = !text.empty() && (text.back() == '\n' || text.back() == '\r');
    lastLine_ = text.empty() ? 0 : lineNumber - (endsWithBreak ? 1 : 0);
}

std::string SettingsFile::documentName(const std::string& name) const {
    return utf8_ ? latin1ToUtf8(name) : name;
}

int SettingsFile::selectGroup(const std::string& name) {
    const std::string wanted = documentName(name);
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == SettingsLine::Kind::Group &&
            equalIgnoringAsciiCase(lines_[i].name, wanted)) {
            currentGroup_ = i;
            insertionPoint_ = i;
            pendingGroup_.reset();
            return 1;
        }
    }
    pendingGroup_ = wanted;
    return 0;
}

size_t SettingsFile::sectionEnd() const {
    size_t i = currentGroup_ ? *currentGroup_ + 1 : 0;
    while (i < lines_.size() && lines_[i].kind != SettingsLine::Kind::Group) ++i;
    return i;
}

std::optional<size_t> SettingsFile::findEntry(const std::string& key) const {
    const std::string wanted = documentName(key);
    const size_t end = sectionEnd();
    for (size_t i = currentGroup_ ? *currentGroup_ + 1 : 0; i < end; ++i)
        if (lines_[i].kind == SettingsLine::Kind::Entry &&
            equalIgnoringAsciiCase(lines_[i].name, wanted))
            return i;
    return std::nullopt;
}

int32_t SettingsFile::readInteger(const std::string& key, int32_t defaultValue) {
    if (pendingGroup_ || (!hasFile_ && path_.empty())) return defaultValue;
    const std::optional<size_t> entry = findEntry(key);
    if (!entry) return defaultValue;
    // atoi's rule: text without leading digits is 0, not the default.
    return numberValue(lines_[*entry].value, LeadingSpace::WhiteSpace);
}

int SettingsFile::createForWriting(const std::string& path) {
    close();
    error_.clear();
    if (!output_.create(path)) {
        error_ = "cannot save " + path + ": " + output_.error();
        return 0;
    }
    state_ = State::Writing;
    path_ = path;
    hasFile_ = true;
    return 1;
}

void SettingsFile::createInMemory() {
    close();
    error_.clear();
    state_ = State::Writing;
}

void SettingsFile::insertLine(size_t position, SettingsLine line) {
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(position), std::move(line));
    if (currentGroup_ && *currentGroup_ >= position) ++*currentGroup_;
    if (insertionPoint_ && *insertionPoint_ >= position) ++*insertionPoint_;
}

void SettingsFile::appendPendingGroup() {
    lines_.push_back({SettingsLine::Kind::Group, std::move(*pendingGroup_), {}});
    pendingGroup_.reset();
    currentGroup_ = lines_.size() - 1;
    insertionPoint_ = currentGroup_;
}

void SettingsFile::writeComment(const std::string& text) {
    if (pendingGroup_) appendPendingGroup();
    const size_t position = insertionPoint_ ? *insertionPoint_ + 1 : 0;
    insertLine(position, {SettingsLine::Kind::Comment, text, {}});
    insertionPoint_ = position;
    modified_ = true;
}

void SettingsFile::writeInteger(const std::string& key, int32_t value) {
    std::string text = decimalOfField(value);
    if (pendingGroup_) appendPendingGroup();
    if (const std::optional<size_t> entry = findEntry(key)) {
        lines_[*entry].name = documentName(key);
        lines_[*entry].value = std::move(text);
        insertionPoint_ = *entry;
    } else {
        const size_t position = sectionEnd();
        insertLine(position, {SettingsLine::Kind::Entry, documentName(key), std::move(text)});
        insertionPoint_ = position;
    }
    modified_ = true;
}

std::string SettingsFile::documentText() const {
    std::string text;
    // A first entry that begins like a byte-order mark would lose those bytes to the next
    // reader, who takes them for one; a mark in front keeps them.
    constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";
    if (!lines_.empty() && lines_.front().kind == SettingsLine::Kind::Entry &&
        lines_.front().name.starts_with(BYTE_ORDER_MARK))
        text = BYTE_ORDER_MARK;
    for (const SettingsLine& line : lines_) {
        switch (line.kind) {
            case SettingsLine::Kind::Comment:
                text += "; ";
                text += line.name;
                break;
            case SettingsLine::Kind::Group:
                text += '[';
                text += line.name;
                text += ']';
                break;
            case SettingsLine::Kind::Entry:
                text += line.name;
                text += " = ";
                text += line.value;
                break;
        }
        text += "\r\n";
    }
    return text;
}

bool SettingsFile::close() {
    bool written = true;
    if (state_ == State::Writing && hasFile_) {
        // A created document always ends as a file, an empty one when nothing was written.
        written = output_.commit(documentText());
        if (!written) error_ = "cannot save " + path_ + ": " + output_.error();
    } else if (state_ == State::Reading && hasFile_ && modified_ && !path_.empty()) {
        ReplacementFile rewrite;
        written = rewrite.create(path_) && rewrite.commit(documentText());
        if (!written) error_ = "cannot save " + path_ + ": " + rewrite.error();
    }
    reset();
    return written;
}

}  // namespace tivra
