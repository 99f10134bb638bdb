// tivractl as people run it, from transcripts in tests/data/cli/*.t: each command line with the
// exact standard output, standard error and exit status it must give. Lines of a transcript:
// - "# ...": a comment;
// - "file NAME = TEXT": a file in the test's folder (escapes \n \r \t \0 \xHH \\); "folder NAME";
// - "skip windows": the commands up to the next blank line are not run on Windows;
// - "$ [VAR=VALUE] ARGS [< IN]": tivractl with ARGS (split at blanks; "a b" is one argument),
//   VAR set, IN as input; "$ ARGS => ERROR": a refused command line, which gives ERROR and the
//   pointer to the help on standard error, nothing on standard output and status 2;
// - "1> LINE" and "2> LINE": a line of standard output and of standard error (none: empty);
//   "2>=": the same standard error as the command before;
// - "1j> JSON": standard output is this JSON document, compared written compactly (member order
//   kept), so that a long document takes one line;
// - "? STATUS": the exit status, which ends the command; a command without one must give 0;
// - "holds NAME = TEXT": NAME now holds exactly TEXT; "names A B": the folder holds just these.
// {NAME} stands for NAME in the test's folder, {examples} for the examples folder (NAME: letters,
// digits, '.' and '-').

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "support/data_file.h"
#include "support/environment.h"
#include "tool_run.h"

namespace tivra::test {
namespace {

void runTranscript(const std::string& name) {
    const std::string path = sourcePath("tests/data/cli/" + name);
    std::istringstream lines(readBytes(path));
    ASSERT_FALSE(lines.str().empty()) << path;
    TempFolder folder;
    // In JSON a path is a string: its backslashes (Windows) doubled.
    const auto expand = [&](const std::string& text, bool json = false) {
        static const std::regex named("\\{([A-Za-z0-9.-]+)\\}");
        std::string expanded;
        auto from = text.cbegin();
        for (std::smatch m; std::regex_search(from, text.cend(), m, named); from = m[0].second) {
            const std::string path =
                m[1] == "examples" ? sourcePath("examples") : folder.file(m[1]);
            expanded += m.prefix().str() +
                        (json ? std::regex_replace(path, std::regex("\\\\"), "\\\\") : path);
        }
        return expanded + std::string(from, text.cend());
    };
    std::vector<std::string> arguments, variables;
    std::optional<std::string> input, json;
    std::string out, err, lastErr, where;
    bool skip = false;
    const auto finish = [&](int status) {
        if (!skip) {
            for (const std::string& v : variables)
                setVariable(v.substr(0, v.find('=')), v.substr(v.find('=') + 1));
            const ToolResult r = runTool(folder, arguments, input);
            for (const std::string& v : variables) setVariable(v.substr(0, v.find('=')), "");
            using Json = nlohmann::ordered_json;
            EXPECT_EQ(json ? Json::parse(r.out, nullptr, false).dump() : plainText(r.out),
                      json ? Json::parse(*json).dump() : out)
                << where;
            EXPECT_EQ(std::tie(r.err, r.status), std::tie(err, status)) << where;
        }
        lastErr = std::exchange(err, "");
        arguments.clear(), variables.clear(), input.reset(), json.reset(), out.clear();
    };
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const std::string rest = line.size() > 2 ? line.substr(line.find(' ') + 1) : "";
        const bool output =
            line.starts_with("1>") || line.starts_with("1j>") || line.starts_with("2>");
        if (!arguments.empty() && !output && !line.starts_with("? ")) finish(0);
        skip = skip && !line.empty();
        if (line.starts_with("file ")) {
            const size_t is = line.find(" =");
            writeBytes(folder.file(line.substr(5, is - 5)),
                       unescaped(line.substr(std::min(is + 3, line.size()))));
        } else if (line.starts_with("folder ")) {
            std::filesystem::create_directory(folder.file(rest));
        } else if (line.starts_with("holds ")) {
            const size_t is = line.find(" =");
            EXPECT_EQ(readBytes(folder.file(line.substr(6, is - 6))),
                      unescaped(line.substr(std::min(is + 3, line.size()))))
                << name << ":" << number;
        } else if (line.starts_with("names ")) {
            EXPECT_EQ(folder.names(), fieldsOf(rest, " ")) << name << ":" << number;
        } else if (line == "skip windows") {
#ifdef _WIN32
            skip = true;
#endif
        } else if (line.starts_with("$ ")) {
            where = name + ":" + std::to_string(number) + ": " + line;
            const size_t usage = rest.find(" => ");
            std::istringstream words(expand(rest.substr(0, usage)));
            for (std::string word; words >> std::quoted(word);) {
                if (word == "<" && words >> word)
                    input = readBytes(word);
                else if (arguments.empty() && word.find('=') != std::string::npos &&
                         word.find_first_of("-./{") != 0)
                    variables.push_back(word);
                else
                    arguments.push_back(word);
            }
            if (usage == std::string::npos) continue;
            // "$ ARGS => ERROR": the error, the pointer to the help of the command it names (or
            // to the tool's), and status 2.
            const std::string error = rest.substr(usage + 4),
                              who = error.substr(0, error.find(':'));
            err = error + "\nRun '" +
                  (who == "tivractl" ? "tivractl --help' for the commands.\n"
                                     : who + " --help' for its arguments.\n");
            finish(2);
        } else if (line.starts_with("1j> ")) {
            json = expand(rest, true);
        } else if (line == "2>=") {
            EXPECT_TRUE(err.empty() && !lastErr.empty()) << name << ":" << number << ": " << line;
            err = lastErr;
        } else if (output) {
            (line[0] == '1' ? out : err) += expand(rest) + "\n";
        } else if (line.starts_with("? ")) {
            finish(std::stoi(rest));
        } else {
            EXPECT_TRUE(line.empty() || line[0] == '#') << name << ":" << number << ": " << line;
        }
    }
    if (!arguments.empty()) finish(0);
}

TEST(Transcripts, EveryTranscriptRunsAsWritten) {
    for (const auto& entry : std::filesystem::directory_iterator(sourcePath("tests/data/cli")))
        if (entry.path().extension() == ".t") runTranscript(entry.path().filename().string());
}

}  // namespace
}  // namespace tivra::test
