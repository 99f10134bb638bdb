#pragma once
// A board command that a signal cut in half would leave the two boards holding different
// configurations, or a line locked. While an Interruption lives, the signals that end a command
// line (Ctrl-C, SIGTERM and SIGHUP; on Windows Ctrl-C, Ctrl-Break and closing the console) are
// handled here. With FirstSignal::Waits (a write) the first is noted, for the command to act on
// once its write is done (it takes a fraction of a second), and a second one ends tivractl at
// once; with FirstSignal::Ends (a read) the first does. Ending, tivractl gives up its board line
// and prints what onEnd gave for that moment: a line on standard error and, for --json, a JSON
// document on standard output, in which "{signal}" stands for the signal's name and "{status}"
// for the status it ends with.

#include <string>

namespace tivra::cli {

class Interruption {
  public:
    enum class FirstSignal { Waits, Ends };
    explicit Interruption(FirstSignal first = FirstSignal::Waits);
    ~Interruption();
    Interruption(const Interruption&) = delete;
    Interruption& operator=(const Interruption&) = delete;

    // What ending prints (the line's newline added here) and its status, from now on; a status
    // below 0 is 128 + the signal's number.
    void onEnd(const std::string& line, int status, const std::string& json = "");
    // The number of the first signal (SIGINT for Ctrl-C everywhere); 0 while none came.
    int signal() const;
    // From now on the first signal ends tivractl at once (true) or waits (false): a write ends at
    // once while it is still finding the LocalBoard, and has sent nothing.
    void firstSignalEnds(bool ends);
};

// The name tivractl gives a signal: "SIGINT", "SIGTERM", "SIGHUP", "SIGBREAK" or "signal N".
std::string signalName(int number);

}  // namespace tivra::cli
