#include "cli/dispatch.h"
#include "cli/program_arguments.h"

int main(int argc, char** argv) {
    tivra::cli::prepareTextOutput();
    return tivra::cli::runTivractl(tivra::cli::programArguments(argc, argv));
}
