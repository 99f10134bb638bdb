#pragma once
// The wall clock the splash reads in whole seconds, behind an interface so that tests can move
// time on at will.

#include <cstdint>

namespace tivra {

class SplashClock {
  public:
    virtual ~SplashClock() = default;
    // The local time in whole seconds.
    virtual int64_t currentSecond() = 0;
    // How long until currentSecond() moves on; the splash sleeps that long between looks.
    virtual int millisecondsToNextSecond() = 0;
};

// The local wall clock.
class WallClock final : public SplashClock {
  public:
    int64_t currentSecond() override;
    int millisecondsToNextSecond() override;
};

}  // namespace tivra
