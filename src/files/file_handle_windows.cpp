#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>

#include "files/file_handle.h"
#include "files/native_path.h"

namespace tivra::file_handle {

bool isSeparator(char c) {
    return c == '/' || c == '\\' || c == ':';
}

int openForReading(const std::string& path) {
    return _wopen(fileSystemPath(path).c_str(), _O_RDONLY | _O_BINARY);
}

int createExclusive(const std::string& path) {
    return _wopen(fileSystemPath(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                  _S_IREAD | _S_IWRITE);
}

long readSome(int handle, char* buffer, size_t size) {
    return _read(handle, buffer, static_cast<unsigned>(size < (1u << 30) ? size : (1u << 30)));
}

bool waitForData(int, const Deadline&, std::string&) {
    return true;
}

long writeSome(int handle, const char* bytes, size_t size) {
    // Small enough for the int count of the C library.
    return _write(handle, bytes, static_cast<unsigned>(size < (1u << 30) ? size : (1u << 30)));
}

// Writes to a pipe wait by themselves.
bool waitUntilWritable(int, Clock::time_point) {
    return false;
}

bool flushToDisk(int handle) {
    return _commit(handle) == 0;
}

bool closeHandle(int handle) {
    return _close(handle) == 0;
}

bool removeFile(const std::string& path) {
    return _wunlink(fileSystemPath(path).c_str()) == 0;
}

bool renameOver(const std::string& from, const std::string& to, std::string& reason) {
    if (MoveFileExW(fileSystemPath(from).c_str(), fileSystemPath(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    reason = "system error " + std::to_string(GetLastError());
    return false;
}

// MOVEFILE_WRITE_THROUGH has made the rename durable already.
void syncFolder(const std::string&) {}

void readStandardInputAsBytes() {
    _setmode(0, _O_BINARY);  // CR included
}

long currentProcessId() {
    return _getpid();
}

bool processGone(long pid) {
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

}  // namespace tivra::file_handle
