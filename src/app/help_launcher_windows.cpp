#include <windows.h>

#include "app/help_launcher.h"
#include "files/native_path.h"

namespace tivra {

namespace {

// The wide entry: the program's folder may hold any name (an ANSI call would lose it).
using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
constexpr UINT HH_DISPLAY_TOPIC = 0x0000;
constexpr UINT HH_CLOSE_ALL = 0x0012;
constexpr const char* HELP_FILE_NAME = "tivra.chm";

}  // namespace

const char* const HelpLauncher::DEFAULT_VIEWER = "hhctrl.ocx";

HelpLauncher::~HelpLauncher() {
    // No help window may outlive the code that draws it.
    closeAll();
    if (library_ != nullptr) FreeLibrary(static_cast<HMODULE>(library_));
}

bool HelpLauncher::load() {
    if (htmlHelp_ != nullptr) return true;
    HMODULE library = LoadLibraryW(fileSystemPath(viewer_).c_str());
    if (library == nullptr) return false;
    FARPROC entry = GetProcAddress(library, "HtmlHelpW");
    if (entry == nullptr) {
        FreeLibrary(library);
        return false;
    }
    library_ = library;
    htmlHelp_ = reinterpret_cast<void*>(entry);
    return true;
}

void HelpLauncher::showHelp(const std::string& programFolder) {
    if (htmlHelp_ == nullptr) return;
    const std::filesystem::path file = fileSystemPath(programFolder + HELP_FILE_NAME);
    reinterpret_cast<HtmlHelpFunction>(htmlHelp_)(nullptr, file.c_str(), HH_DISPLAY_TOPIC, 0);
}

void HelpLauncher::closeAll() {
    if (htmlHelp_ == nullptr) return;
    reinterpret_cast<HtmlHelpFunction>(htmlHelp_)(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

}  // namespace tivra
