// A stand-in for the LocalBoard's bridge library: the eleven operations with the library's
// signatures, served by the simulated board pair (one healthy bridge, the boards behind it).
// Built twice: exported by ordinal only (the library as the program binds it) and by name only
// (which the program must not bind). The .def files decide which.

#include <windows.h>

#include <cstdint>

#include "sim/simulated_bridge.h"

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

// Each operation as the library declares it, answered by the simulated bridge.
#define STAND_IN(name, parameters, call)             \
    extern "C" int WINAPI standIn##name parameters { \
        return bridge().call;                        \
    }

STAND_IN(GetNumDevices, (LPDWORD count), getNumDevices(words(count)))
STAND_IN(GetProductString, (DWORD index, LPVOID buffer, DWORD kind),
         getProductString(index, buffer, kind))
STAND_IN(Open, (DWORD index, HANDLE* handle), open(index, handle))
STAND_IN(Close, (HANDLE handle), close(handle))
STAND_IN(Read, (HANDLE handle, LPVOID buffer, DWORD size, LPDWORD done, LPOVERLAPPED overlapped),
         read(handle, buffer, size, words(done), overlapped))
STAND_IN(Write, (HANDLE handle, LPVOID buffer, DWORD size, LPDWORD done, LPOVERLAPPED overlapped),
         write(handle, buffer, size, words(done), overlapped))
STAND_IN(FlushBuffers, (HANDLE handle, BYTE transmit, BYTE receive),
         flushBuffers(handle, transmit, receive))
STAND_IN(SetTimeouts, (DWORD readMs, DWORD writeMs), setTimeouts(readMs, writeMs))
STAND_IN(CheckRxQueue, (HANDLE handle, LPDWORD waiting, LPDWORD status),
         checkRxQueue(handle, words(waiting), words(status)))
STAND_IN(SetBaudRate, (HANDLE handle, DWORD rate), setBaudRate(handle, rate))
STAND_IN(SetLineControl, (HANDLE handle, WORD lineControl), setLineControl(handle, lineControl))
