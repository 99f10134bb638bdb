#pragma once
// Window titles as the desktop shows them. Qt gives a window whose title is empty the program's
// name instead, and reads "[*]" in a title as its marker for unsaved changes.

#include <QString>

class QWidget;

namespace tivra {

// The title with every "[*]" shown as written.
QString literalTitle(const QString& title);

// Empties the title bar of a window titled "" (creating its native window).
void showEmptyTitle(QWidget& window);

}  // namespace tivra
