// tivractl's command lines on any bytes (arguments split at NUL): every command's option parser
// keeps to the arguments it was given, and whatever of them an error message repeats reaches the
// terminal without a control or bidirectional character; and the bytes as a Windows command line
// to split.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/program_arguments.h"
#include "files/terminal_text.h"
#include "fuzz_support.h"

using namespace tivra;

namespace {

// Decodes the shown text on its own: every byte is ASCII other than a control, part of a UTF-8
// character that is no C1 or bidirectional control, or a lone byte that no terminal takes as a
// C1 control (0xA0 and above).
bool shownSafely(std::string_view text) {
    const std::string safe = tivra::terminalSafe(text);
    const auto at = [&](size_t i) {
        return i < safe.size() ? static_cast<unsigned char>(safe[i]) : 0u;
    };
    for (size_t i = 0; i < safe.size();) {
        const unsigned c = at(i);
        if (c < 0x80) {
            if ((c < 0x20 && c != '\n' && c != '\t') || c == 0x7F) return false;
            ++i;
            continue;
        }
        const size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        unsigned code = length == 1 ? c : c & (0xFFu >> (length + 1));
        bool whole = length > 1 && i + length <= safe.size();
        for (size_t k = 1; whole && k < length; ++k) {
            whole = (at(i + k) & 0xC0) == 0x80;
            code = (code << 6) | (at(i + k) & 0x3F);
        }
        if (!whole) {
            if (c < 0xA0) return false;
            ++i;
            continue;
        }
        if ((code >= 0x80 && code <= 0x9F) || (code >= 0x202A && code <= 0x202E) ||
            (code >= 0x2066 && code <= 0x2069))
            return false;
        i += length;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> arguments;
    for (size_t start = 0; start <= bytes.size();) {
        const size_t end = std::min(bytes.find('\0', start), bytes.size());
        arguments.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    for (const cli::Command* command : cli::commandTable()) {
        cli::Arguments parsed;
        std::string error;
        if (!cli::parseArguments(arguments, command->options, parsed, error)) {
            fuzz::require(!error.empty() && shownSafely(error), "an error that is unsafe or empty");
            continue;
        }
        fuzz::require(parsed.operands.size() + parsed.values.size() <= arguments.size(),
                      "more taken than given");
        for (const std::string& operand : parsed.operands)
            fuzz::require(std::find(arguments.begin(), arguments.end(), operand) != arguments.end(),
                          "an operand that was not given");
    }
    fuzz::require(shownSafely(bytes), "text shown with a control character");
    // The same bytes as a Windows command line: split without a blank or tab in an unquoted
    // argument, and nothing made out of nothing.
    const std::vector<cli::SplitArgument> split = cli::splitCommandLine(bytes);
    size_t total = 0;
    for (size_t i = 0; i < split.size(); ++i) {
        total += split[i].text.size();
        fuzz::require(
            i == 0 || split[i].quoted || split[i].text.find_first_of(" \t") == std::string::npos,
            "a blank inside an unquoted argument");
    }
    fuzz::require(total <= bytes.size(), "arguments longer than the line");
    return 0;
}
