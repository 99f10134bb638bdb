#include "link/pause.h"

#include <chrono>
#include <thread>

namespace tivra {

void SleepingPause::pause(uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace tivra
