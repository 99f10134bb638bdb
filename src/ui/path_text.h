#pragma once
// Paths between Qt and the core, which keeps them as bytes: the file system's own on POSIX, UTF-8
// on Windows (files/native_path.h), where they are also written with the system's separator.

#include <QDir>
#include <QFile>
#include <QString>
#include <string>

namespace tivra {

inline std::string pathFromQt(const QString& path) {
#ifdef _WIN32
    return QDir::toNativeSeparators(path).toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

inline QString pathToQt(const std::string& path) {
#ifdef _WIN32
    return QString::fromStdString(path);
#else
    return QFile::decodeName(QByteArray::fromStdString(path));
#endif
}

}  // namespace tivra
