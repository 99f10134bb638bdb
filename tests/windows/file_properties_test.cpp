// What Windows shows of the two programs in their files' properties: product, version,
// description and copyright; and the window's manifest (the common controls of version 6, its
// scale on each monitor, the Windows versions it is made for).

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "files/native_path.h"

namespace tivra::test {
namespace {

// A path of the build (POSIX) as Wine's drive Z: names it.
std::wstring onDriveZ(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return fileSystemPath("Z:" + path).wstring();
}

std::string versionValue(const std::wstring& program, const char* name) {
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), nullptr);
    std::vector<char> block(size);
    if (size == 0 || !GetFileVersionInfoW(program.c_str(), 0, size, block.data())) return "?";
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring key = L"\\StringFileInfo\\040904B0\\" + fileSystemPath(name).wstring();
    if (!VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length))
        return "?";
    return utf8FromWide(std::wstring_view(value, length > 0 ? length - 1 : 0));
}

std::string manifest(const std::wstring& program) {
    HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found =
        module ? FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)) : nullptr;
    std::string text;
    if (found != nullptr)
        text.assign(static_cast<const char*>(LockResource(LoadResource(module, found))),
                    SizeofResource(module, found));
    if (module) FreeLibrary(module);
    return text;
}

TEST(FileProperties, BothProgramsSayWhatTheyAreAndTheWindowHasItsManifest) {
    const std::pair<std::wstring, std::string> programs[] = {
        {onDriveZ(TIVRA_EXE), "Quorvantel Ostrel RK-2 configurator"},
        {onDriveZ(TIVRACTL_EXE), "Quorvantel Ostrel RK-2 configurator, command line"}};
    for (const auto& [program, description] : programs) {
        EXPECT_EQ(versionValue(program, "ProductName"), "tivra");
        EXPECT_EQ(versionValue(program, "ProductVersion"), TIVRA_VERSION);
        EXPECT_EQ(versionValue(program, "FileVersion"), TIVRA_VERSION);
        EXPECT_EQ(versionValue(program, "FileDescription"), description);
        EXPECT_EQ(versionValue(program, "LegalCopyright"), TIVRA_COPYRIGHT);
    }
    const std::string window = manifest(onDriveZ(TIVRA_EXE));
    for (const char* part :
         {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
          "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
          "PerMonitorV2</dpiAwareness>",
          "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"})
        EXPECT_NE(window.find(part), std::string::npos) << part << " not in\n" << window;
}

}  // namespace
}  // namespace tivra::test
