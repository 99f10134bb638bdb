#pragma once
// Paths between Qt and the core, which keeps them as bytes: the file system's own on POSIX
// (path_text_posix.cpp), UTF-8 on Windows (files/native_path.h), where they are also written with
// the system's separator (path_text_windows.cpp).

#include <QString>
#include <string>

namespace tivra {

std::string pathFromQt(const QString& path);
QString pathToQt(const std::string& path);

}  // namespace tivra
