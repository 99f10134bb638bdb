#include <windows.h>

#include <array>
#include <atomic>
#include <csignal>

#include "cli/interruption.h"
#include "cli/interruption_farewell.h"

namespace tivra::cli {

namespace {

constexpr int SIGNAL_HANGUP = 1;       // closing the console, as POSIX names the lost terminal
constexpr DWORD CLOSE_WAIT_MS = 4000;  // Windows ends the program 5 s after a close anyway

Farewells farewells;
std::atomic<int> first{0};
std::atomic<bool> firstEnds{false};
HANDLE finished = nullptr;
std::array<char, Farewell::SIZE> filled;

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

const char* nameOf(int number) {
    return number == SIGINT ? "SIGINT" : number == SIGBREAK ? "SIGBREAK" : "SIGHUP";
}

void say(DWORD which, const char* text, size_t size, int number, int status) {
    const size_t n = fillIn(text, size, nameOf(number), status, filled.data(), filled.size());
    DWORD written = 0;
    if (n > 0)
        WriteFile(GetStdHandle(which), filled.data(), static_cast<DWORD>(n), &written, nullptr);
}

// Runs on a thread of its own that Windows starts for each event.
BOOL WINAPI onControl(DWORD event) {
    const int number = signalOf(event);
    int expected = 0;
    if (!firstEnds.load() && first.compare_exchange_strong(expected, number)) {
        // After a close the program ends when this returns: let the write finish first.
        if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && finished != nullptr)
            WaitForSingleObject(finished, CLOSE_WAIT_MS);
        return TRUE;
    }
    const Farewell& farewell = farewells.current();
    const int status = farewell.status < 0 ? 128 + number : farewell.status;
    say(STD_ERROR_HANDLE, farewell.line.data(), farewell.lineSize, number, status);
    say(STD_OUTPUT_HANDLE, farewell.json.data(), farewell.jsonSize, number, status);
    ExitProcess(static_cast<UINT>(status));
}

}  // namespace

Interruption::Interruption(FirstSignal firstSignal) {
    first.store(0);
    firstEnds.store(firstSignal == FirstSignal::Ends);
    farewells.set("", -1, "", "\r\n");
    finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(onControl, TRUE);
}

Interruption::~Interruption() {
    if (finished != nullptr) SetEvent(finished);
    SetConsoleCtrlHandler(onControl, FALSE);
}

void Interruption::onEnd(const std::string& line, int status, const std::string& json) {
    farewells.set(line, status, json, "\r\n");
}

int Interruption::signal() const {
    return first.load();
}

void Interruption::firstSignalEnds(bool ends) {
    firstEnds.store(ends);
}

}  // namespace tivra::cli
