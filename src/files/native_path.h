#pragma once
// Paths are kept as bytes: as the system gives them on POSIX, UTF-8 on Windows, where they are
// turned into the system's wide characters only at the call that takes them (a narrow call would
// read them in the ANSI code page and lose every name outside it).

#include <filesystem>
#include <string>
#include <string_view>

namespace tivra {

// The path for std::filesystem; on Windows, fileSystemPath(p).c_str() is what the wide calls take.
std::filesystem::path fileSystemPath(std::string_view path);
// And back.
std::string pathText(const std::filesystem::path& path);

// Windows (native_path_windows.cpp): text the system gives in wide characters (a command line, a
// module's name), as UTF-8.
std::string utf8FromWide(std::wstring_view text);

}  // namespace tivra
