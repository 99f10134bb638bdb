#include <QFile>

#include "ui/path_text.h"

namespace tivra {

std::string pathFromQt(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString pathToQt(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace tivra
