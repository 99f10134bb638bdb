#include <QDir>

#include "ui/path_text.h"

namespace tivra {

std::string pathFromQt(const QString& path) {
    return QDir::toNativeSeparators(path).toStdString();
}

QString pathToQt(const std::string& path) {
    return QString::fromStdString(path);
}

}  // namespace tivra
