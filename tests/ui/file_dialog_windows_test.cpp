// The system's file dialogs, as the Windows build shows them (under Wine in the Windows stage):
// found by their titles while they are up and answered from another thread as an operator would,
// through the controls every such dialog has: the type list, the name field, OK and Cancel.

#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include <QDir>
#include <chrono>
#include <thread>

#include "files/native_path.h"
#include "operator_bench.h"
#include "support/recording_operator.h"

namespace tivra::test {
namespace {

std::wstring wide(const std::string& utf8) {
    return fileSystemPath(utf8).wstring();
}

// The dialog with this title, once it is up (within 20 s).
HWND dialogTitled(const char* title) {
    for (int i = 0; i < 400; ++i) {
        if (HWND found = FindWindowW(L"#32770", wide(title).c_str())) return found;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return nullptr;
}

// The entries of the type list and the chosen one.
std::vector<std::string> typeList(HWND dialog, LRESULT& chosen) {
    std::vector<std::string> entries;
    const LRESULT count = SendDlgItemMessageW(dialog, cmb1, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        SendDlgItemMessageW(dialog, cmb1, CB_GETLBTEXT, static_cast<WPARAM>(i),
                            reinterpret_cast<LPARAM>(text));
        entries.push_back(utf8FromWide(text));
    }
    chosen = SendDlgItemMessageW(dialog, cmb1, CB_GETCURSEL, 0, 0);
    return entries;
}

// Types name into the dialog's name field and presses OK, or presses Cancel for no name.
void answer(HWND dialog, const std::string& name) {
    if (!name.empty()) {
        // The name field is a combo box (cmb13) in the newer dialogs, an edit field before.
        if (!SetDlgItemTextW(dialog, cmb13, wide(name).c_str()))
            SetDlgItemTextW(dialog, edt1, wide(name).c_str());
    }
    PostMessageW(dialog, WM_COMMAND, name.empty() ? IDCANCEL : IDOK, 0);
}

// Open or save, the name typed ("" cancels), and what the dialog gives. A question (such as
// whether to replace a file) would be a second dialog the test never answers: it would hang.
TEST_F(QtOperatorTest, TheSystemsDialogsTakeTheTypedNameAsItIs) {
    const QString inner = file("Mädchen für Ølfjord");
    QDir().mkpath(inner);
    const std::string folderName = QDir::toNativeSeparators(inner).toStdString();
    const std::string existing = QDir::toNativeSeparators(file("old.smc", true)).toStdString();
    const std::tuple<bool, std::string, std::string> cases[] = {
        {true, folderName + "\\new name", folderName + "\\new name"},  // need not exist
        {false, existing, existing},                                    // no question
        {false, folderName + "\\keep", folderName + "\\keep"},          // no extension added
        {true, "", ""},                                                 // cancelled
    };
    for (const auto& [open, typed, given] : cases) {
        std::vector<std::string> types;
        LRESULT chosen = -1;
        std::thread operatorHand([&] {
            HWND dialog = dialogTitled(open ? OPEN_TITLE : SAVE_TITLE);
            ASSERT_NE(dialog, nullptr);
            types = typeList(dialog, chosen);
            answer(dialog, typed);
        });
        const std::string result = open ? ui.chooseFileToOpen(OPEN_TITLE, FILE_TYPES)
                                        : ui.chooseFileToSave(SAVE_TITLE, FILE_TYPES);
        operatorHand.join();
        EXPECT_EQ(result, given) << typed;
        EXPECT_EQ(types, (std::vector<std::string>{"Serial multiplexer configuration files (*.smc)",
                                                   "All files (*.*)"}));
        EXPECT_EQ(chosen, 0);
    }
}

}  // namespace
}  // namespace tivra::test
