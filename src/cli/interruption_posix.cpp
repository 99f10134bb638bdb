#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>

#include "cli/interruption.h"
#include "cli/interruption_farewell.h"
#include "link/bridges/serial.h"

namespace tivra::cli {

namespace {

constexpr int HELD[] = {SIGINT, SIGTERM, SIGHUP};

Farewells farewells;
volatile sig_atomic_t first = 0;
volatile sig_atomic_t firstEnds = 0;
std::array<struct sigaction, std::size(HELD)> previous;
struct sigaction previousPipe;
std::array<char, Farewell::SIZE> filled;

const char* nameOf(int number) {
    switch (number) {
        case SIGINT:
            return "SIGINT";
        case SIGTERM:
            return "SIGTERM";
        case SIGHUP:
            return "SIGHUP";
        default:
            return "a signal";
    }
}

void say(int fd, const char* text, size_t size, int number, int status) {
    const size_t n = fillIn(text, size, nameOf(number), status, filled.data(), filled.size());
    for (size_t done = 0; done < n;) {
        const ssize_t written = ::write(fd, filled.data() + done, n - done);
        if (written <= 0) break;
        done += static_cast<size_t>(written);
    }
}

void onSignal(int number) {
    if (first == 0 && firstEnds == 0) {
        first = number;
        return;
    }
    releaseSerialLinesNow();
    const Farewell& farewell = farewells.current();
    const int status = farewell.status < 0 ? 128 + number : farewell.status;
    say(STDERR_FILENO, farewell.line.data(), farewell.lineSize, number, status);
    say(STDOUT_FILENO, farewell.json.data(), farewell.jsonSize, number, status);
    _exit(status);
}

}  // namespace

Interruption::Interruption(FirstSignal firstSignal) {
    first = 0;
    firstEnds = firstSignal == FirstSignal::Ends ? 1 : 0;
    farewells.set("", -1, "", "\n");
    struct sigaction action {};
    action.sa_handler = onSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < std::size(HELD); ++i) sigaction(HELD[i], &action, &previous[i]);
    // Output into a closed pipe must not end a command that has touched the boards before it
    // says so: the write fails instead, and is reported.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, &previousPipe);
}

Interruption::~Interruption() {
    for (size_t i = 0; i < std::size(HELD); ++i) sigaction(HELD[i], &previous[i], nullptr);
    sigaction(SIGPIPE, &previousPipe, nullptr);
}

void Interruption::onEnd(const std::string& line, int status, const std::string& json) {
    farewells.set(line, status, json, "\n");
}

int Interruption::signal() const {
    return first;
}

void Interruption::firstSignalEnds(bool ends) {
    firstEnds = ends ? 1 : 0;
}

}  // namespace tivra::cli
