#pragma once
// The system's file handles, as each platform has them (file_handle_posix.cpp,
// file_handle_windows.cpp): the few calls that reading and replacing files need. Paths are bytes
// as native_path.h keeps them. A call that fails leaves the system's reason in errno, except where
// it gives a reason itself.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace tivra::file_handle {

using Clock = std::chrono::steady_clock;
using Deadline = std::optional<Clock::time_point>;

// A path's separators: '/' everywhere, '\\' and the drive's ':' on Windows too.
bool isSeparator(char c);
// The folder part of a path including its trailing separator, "" for a bare name.
inline std::string folderOf(const std::string& path) {
    for (size_t i = path.size(); i > 0; --i)
        if (isSeparator(path[i - 1])) return path.substr(0, i);
    return std::string();
}

// Opens for reading without waiting for a FIFO's writer; -1 on failure.
int openForReading(const std::string& path);
// Creates a new file for writing (never one that exists); -1 on failure.
int createExclusive(const std::string& path);
// Up to size bytes; 0 at the end, negative on failure.
long readSome(int handle, char* buffer, size_t size);
// Waits until a stream has bytes or its end to give, up to the deadline when there is one. Only a
// FIFO's first writer closing gives it an end, so a FIFO nobody opens for writing waits here rather
// than reading as empty. False with a reason for people when the time ran out or the wait failed.
// Where the system's reads wait by themselves (Windows), true at once.
bool waitForData(int handle, const Deadline& deadline, std::string& reason);
// Up to size bytes; how many were written, negative on failure.
long writeSome(int handle, const char* bytes, size_t size);
// After a write that failed: true when it failed only because a pipe or FIFO whose reader is slow
// was full, and it takes more before the deadline.
bool waitUntilWritable(int handle, Clock::time_point deadline);
bool flushToDisk(int handle);
bool closeHandle(int handle);
bool removeFile(const std::string& path);
// Puts the file at from in to's place in one step; false with a reason for people.
bool renameOver(const std::string& from, const std::string& to, std::string& reason);
// Makes a rename in the folder durable where the file system can; "" is the current folder.
void syncFolder(const std::string& folder);
// Standard input gives its bytes as they are (Windows would drop CRs otherwise).
void readStandardInputAsBytes();

long currentProcessId();
// True only when the process is known to have ended (one of another user that runs is not gone).
bool processGone(long pid);

}  // namespace tivra::file_handle
