#pragma once
// The bytes of a configuration file from whatever holds them: a regular file, a FIFO, a pipe, a
// character device or standard input. Nothing here can hold the window up for ever.

#include <chrono>
#include <cstddef>
#include <string>

namespace tivra {

// A saved configuration is about 1.6 kB. The reader keeps every line with two texts, some 36
// bytes of memory per byte of a file of short lines: at this size that is under 10 MB and a tenth
// of a second, where 16 MiB took 600 MB and 12 s. Anything larger is not a configuration file.
inline constexpr size_t MAX_FILE_SIZE = 256 * 1024;

// How long a FIFO, pipe or device may take to give all its data (or to find a reader, when one is
// written to): a writer that never comes or never closes is given up after this.
inline constexpr std::chrono::seconds STREAM_WAIT{5};

// Reads the whole file at path, opened without waiting for a writer. A regular file is read as it
// is, anything else to its end within STREAM_WAIT. False with a reason for people when the file
// cannot be opened or read, is a folder, holds more than MAX_FILE_SIZE bytes or does not end in
// time.
bool readWholeFile(const std::string& path, std::string& content, std::string& reason);

// Reads standard input to its end, for as long as its writer keeps it open (as any filter does),
// with the same size limit.
bool readStandardInput(std::string& content, std::string& reason);

}  // namespace tivra
