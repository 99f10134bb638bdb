#include <string>
#include <vector>

#include "cli/dispatch.h"

#ifdef _WIN32
#include <windows.h>

#include "files/native_path.h"
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // The arguments in wide characters, as UTF-8: argv holds them in the ANSI code page, which
    // loses every file name outside it.
    (void)argc;
    (void)argv;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i)
        arguments.push_back(tivra::utf8FromWide(wide[i]));
    LocalFree(wide);
    return tivra::cli::runTivractl(arguments);
#else
    return tivra::cli::runTivractl(std::vector<std::string>(argv + 1, argv + argc));
#endif
}
