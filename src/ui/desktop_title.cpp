#include "ui/desktop_title.h"

namespace tivra {

QString literalTitle(const QString& title) {
    // Qt shows a doubled marker as one "[*]".
    QString text = title;
    return text.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

}  // namespace tivra
