// A stand-in for the help viewer's library: HtmlHelpW notes each call as "display PATH" or
// "close all" in the file that TIVRA_HELP_VIEWER_LOG names, and opens no window.

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

void note(const std::string& line) {
    if (const char* log = std::getenv("TIVRA_HELP_VIEWER_LOG"))
        std::ofstream(log, std::ios::app | std::ios::binary) << line << '\n';
}

}  // namespace

extern "C" __declspec(dllexport) HWND WINAPI
    HtmlHelpW(HWND, LPCWSTR file, UINT command, DWORD_PTR) {
    if (command == 0x0000 && file != nullptr) {
        char path[4096] = {};  // the path in UTF-8
        WideCharToMultiByte(CP_UTF8, 0, file, -1, path, int(sizeof path), nullptr, nullptr);
        note(std::string("display ") + path);
    }
    if (command == 0x0012) note("close all");
    return nullptr;
}
