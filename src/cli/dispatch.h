#pragma once
// tivractl's entry: picks the command named first and runs it.

#include <string>
#include <vector>

namespace tivra::cli {

// arguments: everything after the program's own name. Returns the exit status.
int runTivractl(const std::vector<std::string>& arguments);

}  // namespace tivra::cli
