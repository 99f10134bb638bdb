#pragma once
// What tivractl is given and where its text goes, as each platform has it.
//   POSIX    the arguments as the shell passed them; text to the standard streams as it is.
//   Windows  the raw command line, split as Windows programs split it, in wide characters (as
//            UTF-8), and an argument with * or ? outside quotes expanded to the files it names
//            (as Windows programs expand them; kept as it is when it names none). Text to a
//            console is written to it in wide characters, so that any letter shows; to a file
//            or a pipe it goes as UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace tivra::cli {

// The arguments after the program's name.
std::vector<std::string> programArguments(int argc, char** argv);
// Sets up standard output and standard error for text (see above).
void prepareTextOutput();
// Puts bytes on standard output as they are (Windows: without turning LF into CR LF), after
// what the C library holds for it. A console takes them in wide characters, so that what is not
// ASCII shows.
void writeBytesToStandardOutput(std::string_view bytes);

// Windows' rule for splitting a command line, as the C runtime and CommandLineToArgvW apply it:
// blanks and tabs separate, double quotes group (and are dropped), 2n backslashes before a quote
// give n and the quote groups, 2n + 1 give n and a quote. Each argument comes with whether any of
// it was quoted. The program's own name (the first) follows the simpler rule for it.
struct SplitArgument {
    std::string text;
    bool quoted = false;
};
std::vector<SplitArgument> splitCommandLine(std::string_view commandLine);

}  // namespace tivra::cli
