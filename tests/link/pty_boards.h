#pragma once
// The simulated board pair served on a pseudo-terminal from a thread of the test, at the pace
// of a 57600 baud line. Settings and tables of the pair may be touched only while it is not
// serving: before start() and after stop().

#ifndef _WIN32

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "sim/board_pair.h"
#include "sim/pty_server.h"

namespace tivra::test {

class PtyBoards {
  public:
    sim::BoardPair boards;

    PtyBoards() : server_(boards) {}
    ~PtyBoards() { stop(); }

    // Creates the pseudo-terminal and starts serving; the device path to open.
    std::string start() {
        std::string error;
        EXPECT_TRUE(server_.open(error)) << error;
        thread_ = std::thread([this] {
            std::string failure;
            EXPECT_TRUE(server_.serve(stop_, failure)) << failure;
        });
        return server_.devicePath();
    }
    void stop() {
        stop_.store(true);
        server_.wake();
        if (thread_.joinable()) thread_.join();
    }

  private:
    sim::PtyBoardServer server_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace tivra::test

#endif
