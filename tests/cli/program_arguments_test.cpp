// tivractl's arguments as each platform gives them: Windows' splitting rule for a command line
// (compiled and checked everywhere), and on Windows the wildcards that a program expands itself.

#include "cli/program_arguments.h"

#include <gtest/gtest.h>

#include "tool_run.h"

namespace tivra::test {
namespace {

// The line after the program's name, and each argument with [q] when any of it was quoted.
TEST(CommandLineSplit, AsWindowsProgramsSplitTheirCommandLine) {
    const std::pair<std::string, std::string> cases[] = {
        {R"(a b	c)", "a|b|c"},
        {R"("a b" c)", "a b[q]|c"},
        {R"(a\\\"b c)", R"(a\"b|c)"},
        {R"(a\\\\"b c" d)", R"(a\\b c[q]|d)"},
        {R"(a\\b "")", R"(a\\b|[q])"},
        {R"("a ""quoted"" word")", R"(a "quoted" word[q])"},
        {R"(*.smc "*.smc" unit\*.smc)", R"(*.smc|*.smc[q]|unit\*.smc)"},
        {"\"M\xC3\xA4"
         "dchen f\xC3\xBCr\\\" x",
         "M\xC3\xA4"
         "dchen f\xC3\xBCr\" x[q]"},
    };
    for (const auto& [line, expected] : cases) {
        std::string got;
        const auto split = cli::splitCommandLine("\"C:\\Program Files\\tivractl.exe\" " + line);
        EXPECT_EQ(split.front().text, "C:\\Program Files\\tivractl.exe");
        for (size_t i = 1; i < split.size(); ++i)
            got += (i > 1 ? "|" : "") + split[i].text + (split[i].quoted ? "[q]" : "");
        EXPECT_EQ(got, expected) << line;
    }
}

// A file named outside ASCII is named whole: as an argument, and in what is printed into a file.
TEST(ProgramArguments, AFileNamedOutsideAsciiIsNamedWhole) {
    TempFolder folder;
    const std::string path = folder.file("Nord-\xC3\xBC.smc");
    writeBytes(path, readBytes(sourcePath("examples/mixed-sensors.smc")));
    const ToolResult r = runTool(folder, {"write", path, "--bridge", "sim", "--verify"});
    EXPECT_EQ(std::pair(r.status, plainText(r.out)), std::pair(0, "Verified " + path + "\n"));
}

#ifdef _WIN32
// check *.smc as Windows programs take it: the files the pattern names, in order, with their
// folder; a pattern in quotes, or one that names nothing, as it is.
TEST(ProgramArguments, AWildcardOutsideQuotesNamesTheFilesItMatches) {
    TempFolder folder;
    for (const char* name : {"b.smc", "a.smc", "c.txt"})
        writeBytes(folder.file(name), readBytes(sourcePath("examples/port-conflict.smc")));
    const std::string pattern = folder.file("*.smc");
    const std::string box = ": Remote Port Conflict: Check Remote Ports On Channels 5 and 6\n";
    const auto run = [&](const std::string& argument) {
        const std::string err = folder.file("err");
        const std::string line =
            shellQuoted(TIVRACTL_PATH) + " check " + argument + " 2>" + shellQuoted(err);
        const int status = _wsystem(fileSystemPath("\"" + line + "\"").c_str());
        return std::pair(status, plainText(readBytes(err)));
    };
    EXPECT_EQ(run(pattern), std::pair(1, folder.file("a.smc") + box + folder.file("b.smc") + box));
    EXPECT_EQ(run(shellQuoted(pattern)).first, 2);
    EXPECT_EQ(run(folder.file("none*.smc")).first, 2);
}
#endif

}  // namespace
}  // namespace tivra::test
