// Holds the instance guard for the guard tests, as a second program would.
//   guard_holder READY STOP
// Creates READY once the guard is held, then holds it until STOP exists (20 s at most).
// Exit status: 0 held and released, 3 refused, 2 wrong use.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "app/instance_guard.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    tivra::InstanceGuard guard;
    if (!guard.acquire()) return 3;
    std::ofstream(argv[1]) << "held\n";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!std::filesystem::exists(argv[2]) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    guard.release();
    return 0;
}
