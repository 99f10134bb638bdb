// A stand-in for the help viewer's library: HtmlHelpW notes each call as "display PATH" or
// "close all" in the file that TIVRA_HELP_VIEWER_LOG names, and opens no window.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void note(const std::string& line) {
    const char* log = std::getenv("TIVRA_HELP_VIEWER_LOG");
    if (log == nullptr) return;
    if (FILE* out = std::fopen(log, "ab")) {
        std::fputs((line + "\n").c_str(), out);
        std::fclose(out);
    }
}

std::string utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

}  // namespace

extern "C" __declspec(dllexport) HWND WINAPI
    HtmlHelpW(HWND, LPCWSTR file, UINT command, DWORD_PTR) {
    if (command == 0x0000 && file != nullptr) note("display " + utf8(file));
    if (command == 0x0012) note("close all");
    return nullptr;
}
