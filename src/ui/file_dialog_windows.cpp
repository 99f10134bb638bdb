#include <windows.h>

#include <commdlg.h>

#include <QWidget>
#include <vector>

#include "files/native_path.h"
#include "ui/file_dialog.h"
#include "ui/file_type_list.h"

namespace tivra {

namespace {

// Room for a path up to the system's limit of 32767 characters.
constexpr DWORD PATH_ROOM = 32768;

std::wstring wide(const std::string& utf8) {
    return fileSystemPath(utf8).wstring();
}

// The type list as the dialog takes it: text, NUL, patterns (";" between them), NUL, ..., NUL.
std::wstring filterText(const std::string& types) {
    std::wstring filter;
    for (const FileTypeEntry& type : parseFileTypes(types)) {
        std::string patterns;
        for (const std::string& pattern : type.patterns)
            patterns += (patterns.empty() ? "" : ";") + pattern;
        filter += wide(type.text) + L'\0' + wide(patterns) + L'\0';
    }
    return filter + L'\0';
}

}  // namespace

// The system's own dialog, with exactly the properties the file commands ask for: no read-only
// box, the folder of a typed path must exist, the file itself need not (no FILEMUSTEXIST), no
// overwrite question (no OVERWRITEPROMPT), no extension added (no default extension), the process's
// current folder left as it was, and nothing added to the system's list of recent documents.
std::string chooseFile(QWidget* parent, FilePurpose purpose, const std::string& title,
                       const std::string& types) {
    std::vector<wchar_t> path(PATH_ROOM, L'\0');
    const std::wstring filter = filterText(types);
    const std::wstring caption = wide(title);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    // Modal for the window it belongs to (a window of Qt's offscreen platform, as in tests, is no
    // system window: then for none).
    HWND owner = parent != nullptr ? reinterpret_cast<HWND>(parent->window()->winId()) : nullptr;
    dialog.hwndOwner = owner != nullptr && IsWindow(owner) ? owner : nullptr;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = PATH_ROOM;
    dialog.lpstrTitle = caption.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                   OFN_NOCHANGEDIR | OFN_DONTADDTORECENT;
    const BOOL chosen = purpose == FilePurpose::Open ? GetOpenFileNameW(&dialog)
                                                     : GetSaveFileNameW(&dialog);
    if (chosen == 0) return std::string();
    return utf8FromWide(path.data());
}

}  // namespace tivra
