#pragma once
// The simulated board pair behind a pseudo-terminal, so that the real serial code (and any
// program that opens the device path) talks to it as to the LocalBoard's serial port. Bytes move
// at the pace of a 57600 baud line (5.76 bytes per millisecond) in both directions, which a
// pseudo-terminal would not do by itself. As with the in-process pair, a new request supersedes
// what has not yet been sent of an earlier answer. POSIX only (pty_server_posix.cpp).

#include <atomic>
#include <functional>
#include <string>

#include "sim/board_pair.h"

namespace tivra::sim {

constexpr double LINE_BYTES_PER_MS = 57600.0 / 10.0 / 1000.0;  // 10 bits a byte with 8N1

class PtyBoardServer {
  public:
    explicit PtyBoardServer(BoardPair& boards, double bytesPerMs = LINE_BYTES_PER_MS);
    ~PtyBoardServer();
    PtyBoardServer(const PtyBoardServer&) = delete;
    PtyBoardServer& operator=(const PtyBoardServer&) = delete;

    // Creates the pseudo-terminal (raw, 8N1, 57600). False with error set when it cannot.
    bool open(std::string& error);
    // The device path to open, e.g. "/dev/pts/4"; empty before open().
    const std::string& devicePath() const { return path_; }

    // Called after each well-framed request the boards received (on the serving thread).
    std::function<void(const Request&)> onRequest;

    // Serves requests until stop becomes true; it looks at stop when a client writes, when it
    // is woken, and when a signal interrupts it. Runs on one thread; the board pair must not be
    // touched elsewhere meanwhile. False, with error set, when the pseudo-terminal can no longer
    // be watched.
    bool serve(const std::atomic<bool>& stop, std::string& error);
    // Makes serve() look at stop now. Safe from another thread and from a signal handler.
    void wake();

  private:
    BoardPair& boards_;
    double bytesPerMs_;
    int master_ = -1;
    int slave_ = -1;  // held open so the line stays up between the clients' opens
    int wake_[2] = {-1, -1};
    std::string path_;
};

}  // namespace tivra::sim
