#pragma once
// A board write that a signal cut in half would leave the two boards holding different
// configurations. While an Interruption lives, the signals that end a command line (Ctrl-C,
// SIGTERM and SIGHUP; on Windows Ctrl-C, Ctrl-Break and closing the console) do not end tivractl
// at once: the first is noted, for the command to act on once its write is done (it takes a
// fraction of a second); a second one ends tivractl at once, after printing the line given for
// that moment, with the status given with it.

#include <string>

namespace tivra::cli {

class Interruption {
  public:
    Interruption();
    ~Interruption();
    Interruption(const Interruption&) = delete;
    Interruption& operator=(const Interruption&) = delete;

    // What a second signal prints on standard error (one line, its newline added here) and the
    // status it ends tivractl with, from now on.
    void onSecondSignal(const std::string& line, int status);
    // The number of the first signal (SIGINT for Ctrl-C everywhere); 0 while none came.
    int signal() const;
};

}  // namespace tivra::cli
