#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <streambuf>

#include "cli/program_arguments.h"
#include "files/native_path.h"

namespace tivra::cli {

namespace {

bool hasWildcard(const std::string& text) {
    return text.find_first_of("*?") != std::string::npos;
}

// The files a pattern names, sorted, with its folder part as written; none when it names none.
std::vector<std::string> expanded(const std::string& pattern) {
    std::vector<std::string> names;
    const size_t cut = pattern.find_last_of("\\/:");
    const std::string folder = cut == std::string::npos ? "" : pattern.substr(0, cut + 1);
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(fileSystemPath(pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = utf8FromWide(found.cFileName);
        if (name != "." && name != "..") names.push_back(folder + name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// Text written to a console: the UTF-8 that tivractl prints, in wide characters. A character
// split between two writes waits for its rest.
class ConsoleBuffer : public std::streambuf {
  public:
    explicit ConsoleBuffer(HANDLE console) : console_(console) {}

  protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        const char ch = traits_type::to_char_type(c);
        return xsputn(&ch, 1) == 1 ? c : traits_type::eof();
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        pending_.append(text, static_cast<size_t>(count));
        // Everything up to the last whole character.
        size_t whole = pending_.size();
        for (size_t back = 1; back <= 3 && back <= pending_.size(); ++back) {
            const auto c = static_cast<unsigned char>(pending_[pending_.size() - back]);
            if ((c & 0xC0) == 0x80) continue;
            const size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
            if (length > back) whole = pending_.size() - back;
            break;
        }
        const std::wstring wide = fileSystemPath(pending_.substr(0, whole)).wstring();
        pending_.erase(0, whole);
        DWORD written = 0;
        if (!wide.empty() && !WriteConsoleW(console_, wide.data(), static_cast<DWORD>(wide.size()),
                                            &written, nullptr))
            return 0;
        return count;
    }
    int sync() override { return 0; }

  private:
    HANDLE console_;
    std::string pending_;
};

// Standard output or error, when it is a console.
void toConsole(std::ostream& stream, DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) return;
    static ConsoleBuffer* buffers[2] = {};
    ConsoleBuffer*& buffer = buffers[which == STD_OUTPUT_HANDLE ? 0 : 1];
    buffer = new ConsoleBuffer(handle);  // for the whole run
    stream.rdbuf(buffer);
}

}  // namespace

std::vector<std::string> programArguments(int, char**) {
    // The arguments in wide characters, as UTF-8: argv holds them in the ANSI code page, which
    // loses every name outside it.
    std::vector<std::string> arguments;
    const std::vector<SplitArgument> split = splitCommandLine(utf8FromWide(GetCommandLineW()));
    for (size_t i = 1; i < split.size(); ++i) {
        const SplitArgument& argument = split[i];
        const std::vector<std::string> files = !argument.quoted && hasWildcard(argument.text)
                                                   ? expanded(argument.text)
                                                   : std::vector<std::string>{};
        if (files.empty())
            arguments.push_back(argument.text);
        else
            arguments.insert(arguments.end(), files.begin(), files.end());
    }
    return arguments;
}

void writeBytesToStandardOutput(std::string_view bytes) {
    std::fflush(stdout);
    const HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        const std::wstring wide = fileSystemPath(bytes).wstring();
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    _setmode(_fileno(stdout), _O_BINARY);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

void prepareTextOutput() {
    toConsole(std::cout, STD_OUTPUT_HANDLE);
    toConsole(std::cerr, STD_ERROR_HANDLE);
}

}  // namespace tivra::cli
