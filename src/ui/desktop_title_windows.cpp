#include <windows.h>

#include <QWidget>

#include "ui/desktop_title.h"

namespace tivra {

void showEmptyTitle(QWidget& window) {
    SetWindowTextW(reinterpret_cast<HWND>(window.winId()), L"");
}

}  // namespace tivra
