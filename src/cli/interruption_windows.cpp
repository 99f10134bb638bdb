#include <windows.h>

#include <array>
#include <atomic>
#include <csignal>

#include "cli/interruption.h"

namespace tivra::cli {

namespace {

constexpr size_t LINE_SIZE = 512;
constexpr int SIGNAL_HANGUP = 1;       // closing the console, as POSIX names the lost terminal
constexpr DWORD CLOSE_WAIT_MS = 4000;  // Windows ends the program 5 s after a close anyway

struct Farewell {
    std::array<char, LINE_SIZE> line{};
    DWORD size = 0;
    int status = 0;
};
std::array<Farewell, 2> farewells;
std::atomic<int> current{0};
std::atomic<int> first{0};
HANDLE finished = nullptr;

int signalOf(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
            return SIGINT;
        case CTRL_BREAK_EVENT:
            return SIGBREAK;
        default:
            return SIGNAL_HANGUP;
    }
}

// Runs on a thread of its own that Windows starts for each event.
BOOL WINAPI onControl(DWORD event) {
    int expected = 0;
    if (first.compare_exchange_strong(expected, signalOf(event))) {
        // After a close the program ends when this returns: let the write finish first.
        if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && finished != nullptr)
            WaitForSingleObject(finished, CLOSE_WAIT_MS);
        return TRUE;
    }
    const Farewell& farewell = farewells[static_cast<size_t>(current.load())];
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), farewell.line.data(), farewell.size, &written,
              nullptr);
    ExitProcess(static_cast<UINT>(farewell.status));
}

}  // namespace

Interruption::Interruption() {
    first.store(0);
    finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(onControl, TRUE);
}

Interruption::~Interruption() {
    if (finished != nullptr) SetEvent(finished);
    SetConsoleCtrlHandler(onControl, FALSE);
}

void Interruption::onSecondSignal(const std::string& line, int status) {
    const int next = 1 - current.load();
    Farewell& farewell = farewells[static_cast<size_t>(next)];
    const std::string text = line.substr(0, LINE_SIZE - 2) + "\r\n";
    text.copy(farewell.line.data(), text.size());
    farewell.size = static_cast<DWORD>(text.size());
    farewell.status = status;
    current.store(next);
}

int Interruption::signal() const {
    return first.load();
}

}  // namespace tivra::cli
