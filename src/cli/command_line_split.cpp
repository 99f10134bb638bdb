#include "cli/program_arguments.h"

namespace tivra::cli {

std::vector<SplitArgument> splitCommandLine(std::string_view line) {
    std::vector<SplitArgument> arguments;
    size_t p = 0;
    const size_t end = line.size();
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    // The program's name: up to the next blank, or in quotes, backslashes as they are.
    {
        SplitArgument program;
        bool inQuotes = false;
        for (; p < end && (inQuotes || !blank(line[p])); ++p) {
            if (line[p] == '"') {
                inQuotes = !inQuotes;
                program.quoted = true;
            } else {
                program.text += line[p];
            }
        }
        arguments.push_back(std::move(program));
    }
    for (;;) {
        while (p < end && blank(line[p])) ++p;
        if (p >= end) break;
        SplitArgument argument;
        bool inQuotes = false;
        while (p < end && (inQuotes || !blank(line[p]))) {
            size_t slashes = 0;
            while (p < end && line[p] == '\\') ++slashes, ++p;
            if (p < end && line[p] == '"') {
                argument.text.append(slashes / 2, '\\');
                if (slashes % 2 == 1) {
                    argument.text += '"';
                } else if (inQuotes && p + 1 < end && line[p + 1] == '"') {
                    argument.text += '"';  // "" inside quotes: a quote, still inside
                    ++p;
                } else {
                    inQuotes = !inQuotes;
                    argument.quoted = true;
                }
                ++p;
            } else {
                argument.text.append(slashes, '\\');
                if (p < end && (inQuotes || !blank(line[p]))) argument.text += line[p++];
            }
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

}  // namespace tivra::cli
