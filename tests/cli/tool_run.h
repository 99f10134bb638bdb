#pragma once
// Runs the real tivractl binary and collects its exit status, standard output and standard error.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "support/temp_folder.h"

#ifndef TIVRACTL_PATH
#error "TIVRACTL_PATH must name the tivractl binary"
#endif

namespace tivra::test {

struct ToolResult {
    int status = -1;
    std::string out;
    std::string err;
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

// The examples folder of the source tree: from CTest's environment, else next to this file.
inline std::string examplePath(const std::string& name) {
    const char* source = std::getenv("TIVRA_SOURCE_DIR");
    const std::string root =
        source != nullptr
            ? std::string(source)
            : std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().string();
    return root + "/examples/" + name;
}

// Text the tool printed, with the line ends of this platform's text streams made plain "\n".
inline std::string plainText(std::string text) {
#ifdef _WIN32
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) plain += text[i];
    return plain;
#else
    return text;
#endif
}

inline ToolResult runTool(const TempFolder& folder, const std::vector<std::string>& arguments) {
    const std::string outPath = folder.file("tool.out");
    const std::string errPath = folder.file("tool.err");
    std::string command = shellQuoted(TIVRACTL_PATH);
    for (const std::string& argument : arguments) command += " " + shellQuoted(argument);
    command += " >" + shellQuoted(outPath) + " 2>" + shellQuoted(errPath);
#ifdef _WIN32
    // cmd.exe drops the first and the last quote of a line that has more than two.
    command = "\"" + command + "\"";
#endif
    const int raw = std::system(command.c_str());
    ToolResult result;
#ifdef _WIN32
    result.status = raw;
#else
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
#endif
    result.out = readBytes(outPath);
    result.err = plainText(readBytes(errPath));  // always text; out may be a .smc file's bytes
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return result;
}

// An error line that ends with the system's reason: the reason is checked where its wording is
// known (POSIX), the rest everywhere.
inline void expectErrorLine(const std::string& actual, const std::string& head,
                            [[maybe_unused]] const std::string& posixReason) {
    EXPECT_TRUE(actual.starts_with(head)) << actual;
#ifndef _WIN32
    EXPECT_EQ(actual, head + posixReason + "\n");
#endif
}

}  // namespace tivra::test
