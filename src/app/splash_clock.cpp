#include "app/splash_clock.h"

#include <chrono>
#include <ctime>

namespace tivra {

int64_t WallClock::currentSecond() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    // The local calendar time read back as if it were UTC: the seconds of the local clock.
    localtime_s(&local, &now);
    return static_cast<int64_t>(_mkgmtime(&local));
#else
    localtime_r(&now, &local);
    return static_cast<int64_t>(now) + local.tm_gmtoff;
#endif
}

int WallClock::millisecondsToNextSecond() {
    using namespace std::chrono;
    const auto sinceEpoch = system_clock::now().time_since_epoch();
    const auto intoSecond = duration_cast<milliseconds>(sinceEpoch - floor<seconds>(sinceEpoch));
    // One millisecond late rather than early: an early wake-up would only look again.
    return static_cast<int>(1000 - intoSecond.count()) + 1;
}

}  // namespace tivra
