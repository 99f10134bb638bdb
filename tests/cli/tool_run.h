#pragma once
// Runs the real tivractl binary and collects its exit status, standard output and standard error.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "files/native_path.h"
#include "support/data_file.h"
#include "support/temp_folder.h"

#ifndef TIVRACTL_PATH
#error "TIVRACTL_PATH must name the tivractl binary"
#endif

namespace tivra::test {

struct ToolResult {
    int status = -1;
    std::string out, err;
};

inline std::string shellQuoted(const std::string& text) {
#ifdef _WIN32
    return "\"" + text + "\"";
#else
    std::string quoted = "'";
    for (char c : text) quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
#endif
}

// Text the tool printed, with the line ends of this platform's text streams made plain "\n".
inline std::string plainText(const std::string& text) {
#ifdef _WIN32
    return std::regex_replace(text, std::regex("\r\n"), "\n");
#else
    return text;
#endif
}

// input: bytes for standard input, through a pipe on POSIX (as `cat FILE | tivractl ...`), from
// a file elsewhere. outputTo: a file that standard output goes to instead of being collected.
// Standard output is otherwise a pipe on POSIX, a file elsewhere. Runs may overlap.
inline ToolResult runTool(const TempFolder& folder, const std::vector<std::string>& arguments,
                          const std::optional<std::string>& input = std::nullopt,
                          const std::string& outputTo = "") {
    static std::atomic<int> runs{0};
    const std::string stem = folder.file("tool-" + std::to_string(++runs));
    const std::string inPath = stem + ".in", errPath = stem + ".err";
    const std::string outPath = outputTo.empty() ? stem + ".out" : outputTo;
    std::string command = shellQuoted(TIVRACTL_PATH);
    for (const std::string& argument : arguments) command += " " + shellQuoted(argument);
    command += " 2>" + shellQuoted(errPath);
    if (input) writeBytes(inPath, *input);
    ToolResult result;
#ifdef _WIN32
    if (input) command += " <" + shellQuoted(inPath);
    command += " >" + shellQuoted(outPath);
    // cmd.exe drops the first and the last quote of a line that has more than two. Wine's cmd
    // now and then fails to find a program that is there (9009): asked once more, it does.
    // In wide characters: a narrow command line would lose every name outside the ANSI code page.
    for (int attempt = 0; attempt < 2 && (result.status == -1 || result.status == 9009); ++attempt)
        result.status = _wsystem(fileSystemPath("\"" + command + "\"").c_str());
    if (outputTo.empty()) result.out = readBytes(outPath);
#else
    if (input) command = "cat " + shellQuoted(inPath) + " | " + command;
    if (!outputTo.empty()) command += " >" + shellQuoted(outputTo);
    FILE* out = popen(command.c_str(), "r");
    if (out == nullptr) return result;
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, out)) > 0;)
        result.out.append(buffer, got);
    const int raw = pclose(out);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
#endif
    result.err = plainText(readBytes(errPath));  // always text; out may be a .smc file's bytes
    for (const std::string& path : {inPath, errPath, stem + ".out"}) std::filesystem::remove(path);
    return result;
}

}  // namespace tivra::test
