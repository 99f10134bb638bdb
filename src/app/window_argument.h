#pragma once

#include <string>
#include <string_view>

namespace tivra {

// The first argument after the program's name in a raw Windows command line, as the window takes
// it: the program's name may be quoted; only spaces separate (a tab belongs to the argument); a
// quoted argument ends at the next quote, backslashes and all.
std::string firstCommandLineArgument(std::string_view commandLine);

}  // namespace tivra
