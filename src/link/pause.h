#pragma once
// Waiting between two looks at the receive queue. The program really sleeps; tests count the
// pauses and move a virtual clock instead, so the waiting rule is checked without waiting.

#include <cstdint>

namespace tivra {

constexpr uint32_t QUEUE_CHECK_PAUSE_MS = 10;
constexpr uint32_t MAX_QUEUE_CHECKS = 200;

class Pause {
  public:
    virtual ~Pause() = default;
    virtual void pause(uint32_t milliseconds) = 0;
};

// Sleeps the calling thread.
class SleepingPause final : public Pause {
  public:
    void pause(uint32_t milliseconds) override;
};

}  // namespace tivra
