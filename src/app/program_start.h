#pragma once
// What the program does before Qt starts, as each platform has it (program_start_posix.cpp,
// program_start_windows.cpp).

#include <string>

namespace tivra {

// The file named on the command line. POSIX: argv[1] as the shell passed it (before Qt looks at
// argv). Windows: the first argument of the raw command line, split by our own rule and read in
// wide characters, so that any file name arrives whole (as UTF-8).
std::string fileArgument(int argc, char** argv);

// Before --help or --version is answered. Windows: tivra.exe is a window program and has no
// console of its own when started from one, so the answer goes into the console it was started
// from (output redirected to a file or a pipe goes there as it is). Elsewhere nothing to do.
void prepareAnswerOutput();

// Before the QApplication: picks Qt's platform for the session's display (app/display_choice.h).
// False, the reason printed on standard error, when there is none to start on. Windows always has
// its desktop.
bool prepareDisplay();

}  // namespace tivra
