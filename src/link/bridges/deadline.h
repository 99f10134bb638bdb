#pragma once
// The time left until a deadline, for the waits of the network bridge and its sockets.

#include <chrono>
#include <cstdint>

namespace tivra {

using DeadlineClock = std::chrono::steady_clock;

// Whole milliseconds until end; 0 once it has passed.
inline uint32_t millisecondsLeft(DeadlineClock::time_point end) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(end - DeadlineClock::now());
    return left.count() > 0 ? static_cast<uint32_t>(left.count()) : 0;
}

}  // namespace tivra
