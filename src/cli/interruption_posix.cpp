#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>

#include "cli/interruption.h"

namespace tivra::cli {

namespace {

constexpr int HELD[] = {SIGINT, SIGTERM, SIGHUP};
constexpr size_t LINE_SIZE = 512;

// What the handler may touch: plain memory filled before it is switched to.
struct Farewell {
    std::array<char, LINE_SIZE> line{};
    size_t size = 0;
    int status = 0;
};
std::array<Farewell, 2> farewells;
std::atomic<int> current{0};
volatile sig_atomic_t first = 0;
std::array<struct sigaction, std::size(HELD)> previous;

void onSignal(int number) {
    if (first == 0) {
        first = number;
        return;
    }
    const Farewell& farewell = farewells[static_cast<size_t>(current.load())];
    ssize_t ignored = ::write(STDERR_FILENO, farewell.line.data(), farewell.size);
    (void)ignored;
    _exit(farewell.status);
}

}  // namespace

Interruption::Interruption() {
    first = 0;
    struct sigaction action {};
    action.sa_handler = onSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < std::size(HELD); ++i) sigaction(HELD[i], &action, &previous[i]);
}

Interruption::~Interruption() {
    for (size_t i = 0; i < std::size(HELD); ++i) sigaction(HELD[i], &previous[i], nullptr);
}

void Interruption::onSecondSignal(const std::string& line, int status) {
    // Filled while the handler still reads the other one, then switched to.
    const int next = 1 - current.load();
    Farewell& farewell = farewells[static_cast<size_t>(next)];
    const std::string text = line.substr(0, LINE_SIZE - 1) + '\n';
    text.copy(farewell.line.data(), text.size());
    farewell.size = text.size();
    farewell.status = status;
    current.store(next);
}

int Interruption::signal() const {
    return first;
}

}  // namespace tivra::cli
