#include <string>
#include <vector>

#include "cli/dispatch.h"

int main(int argc, char** argv) {
    return tivra::cli::runTivractl(std::vector<std::string>(argv + 1, argv + argc));
}
