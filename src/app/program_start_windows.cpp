#include <windows.h>

#include <cstdio>

#include "app/program_start.h"
#include "app/window_argument.h"
#include "files/native_path.h"

namespace tivra {

std::string fileArgument(int, char**) {
    return firstCommandLineArgument(utf8FromWide(GetCommandLineW()));
}

void prepareAnswerOutput() {
    if (GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) != FILE_TYPE_UNKNOWN) return;
    if (AttachConsole(ATTACH_PARENT_PROCESS) == 0) return;
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
}

bool prepareDisplay() {
    return true;
}

}  // namespace tivra
