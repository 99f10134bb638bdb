#pragma once
// The command line of one command: options (with or without a value) and plain operands.

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tivra::cli {

struct OptionSpec {
    std::string_view longName;  // "output" for --output
    char shortName = 0;         // 'o' for -o; 0 for none
    bool takesValue = false;
    bool repeatable = false;  // may be given more than once; every value is kept
};

struct Arguments {
    bool help = false;                          // -h or --help
    std::vector<std::string> operands;          // in order; everything after "--" is one
    std::map<std::string, std::string> values;  // by long name; "" for options without a value
    std::map<std::string, std::vector<std::string>> repeated;  // every value of a repeatable one

    bool has(const std::string& option) const { return values.count(option) != 0; }
};

// Splits arguments by the options given (-h / --help are always known). Accepts "-o OUT",
// "-oOUT", "--output OUT" and "--output=OUT". False, with error set, for an unknown option, a
// missing value, or an option given twice that is not repeatable (a second -o would otherwise
// silently win).
bool parseArguments(const std::vector<std::string>& arguments, std::span<const OptionSpec> options,
                    Arguments& out, std::string& error);

}  // namespace tivra::cli
