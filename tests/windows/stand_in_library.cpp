// A stand-in for the LocalBoard's bridge library: the eleven operations with the library's
// signatures, served by the simulated board pair (one healthy bridge, the boards behind it).
// Built twice: exported by ordinal only (the library as the program binds it) and by name only
// (which the program must not bind). The .def files decide which.

#include <windows.h>

#include <cstdint>

#include "link/bridges/simulated.h"

namespace {

tivra::SimulatedBridge& bridge() {
    static tivra::SimulatedBridge simulated;
    return simulated;
}

// DWORD is unsigned long here and uint32_t unsigned int: the same 32 bits.
uint32_t* words(LPDWORD value) {
    return reinterpret_cast<uint32_t*>(value);
}

}  // namespace

extern "C" {

int WINAPI standInGetNumDevices(LPDWORD count) {
    return bridge().getNumDevices(words(count));
}

int WINAPI standInGetProductString(DWORD index, LPVOID buffer, DWORD kind) {
    return bridge().getProductString(index, buffer, kind);
}

int WINAPI standInOpen(DWORD index, HANDLE* handle) {
    return bridge().open(index, handle);
}

int WINAPI standInClose(HANDLE handle) {
    return bridge().close(handle);
}

int WINAPI standInRead(HANDLE handle, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead,
                       LPOVERLAPPED overlapped) {
    return bridge().read(handle, buffer, bytesToRead, words(bytesRead), overlapped);
}

int WINAPI standInWrite(HANDLE handle, LPVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
                        LPOVERLAPPED overlapped) {
    return bridge().write(handle, buffer, bytesToWrite, words(bytesWritten), overlapped);
}

int WINAPI standInFlushBuffers(HANDLE handle, BYTE flushTransmit, BYTE flushReceive) {
    return bridge().flushBuffers(handle, flushTransmit, flushReceive);
}

int WINAPI standInSetTimeouts(DWORD readTimeoutMs, DWORD writeTimeoutMs) {
    return bridge().setTimeouts(readTimeoutMs, writeTimeoutMs);
}

int WINAPI standInCheckRxQueue(HANDLE handle, LPDWORD bytesInQueue, LPDWORD queueStatus) {
    return bridge().checkRxQueue(handle, words(bytesInQueue), words(queueStatus));
}

int WINAPI standInSetBaudRate(HANDLE handle, DWORD baudRate) {
    return bridge().setBaudRate(handle, baudRate);
}

int WINAPI standInSetLineControl(HANDLE handle, WORD lineControl) {
    return bridge().setLineControl(handle, lineControl);
}

}  // extern "C"
