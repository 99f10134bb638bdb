#include "link/bridges/siusbxp.h"

#include <windows.h>

#include <vector>

#include "files/native_path.h"
#include "link/link_texts.h"

namespace tivra {

namespace {

// The library's own signatures: 32-bit status, WINAPI, Windows argument types.
using GetNumDevicesEntry = int(WINAPI*)(LPDWORD count);
using GetProductStringEntry = int(WINAPI*)(DWORD index, LPVOID buffer, DWORD kind);
using OpenEntry = int(WINAPI*)(DWORD index, HANDLE* handle);
using CloseEntry = int(WINAPI*)(HANDLE handle);
using ReadEntry = int(WINAPI*)(HANDLE handle, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead,
                               LPOVERLAPPED overlapped);
using WriteEntry = int(WINAPI*)(HANDLE handle, LPVOID buffer, DWORD bytesToWrite,
                                LPDWORD bytesWritten, LPOVERLAPPED overlapped);
using FlushBuffersEntry = int(WINAPI*)(HANDLE handle, BYTE flushTransmit, BYTE flushReceive);
using SetTimeoutsEntry = int(WINAPI*)(DWORD readTimeoutMs, DWORD writeTimeoutMs);
using CheckRxQueueEntry = int(WINAPI*)(HANDLE handle, LPDWORD bytesInQueue, LPDWORD queueStatus);
using SetBaudRateEntry = int(WINAPI*)(HANDLE handle, DWORD baudRate);
using SetLineControlEntry = int(WINAPI*)(HANDLE handle, WORD lineControl);

// The library's ordinals: the only thing that identifies an operation.
constexpr WORD ORDINAL_GET_NUM_DEVICES = 1;
constexpr WORD ORDINAL_GET_PRODUCT_STRING = 2;
constexpr WORD ORDINAL_OPEN = 3;
constexpr WORD ORDINAL_CLOSE = 4;
constexpr WORD ORDINAL_READ = 6;
constexpr WORD ORDINAL_WRITE = 7;
constexpr WORD ORDINAL_FLUSH_BUFFERS = 9;
constexpr WORD ORDINAL_SET_TIMEOUTS = 10;
constexpr WORD ORDINAL_CHECK_RX_QUEUE = 12;
constexpr WORD ORDINAL_SET_BAUD_RATE = 13;
constexpr WORD ORDINAL_SET_LINE_CONTROL = 15;

template <typename Entry>
bool bind(HMODULE library, WORD ordinal, Entry& entry) {
    const FARPROC found = GetProcAddress(library, MAKEINTRESOURCEA(ordinal));
    entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(found));
    return entry != nullptr;
}

}  // namespace

struct SiUsbXpBridge::Entries {
    GetNumDevicesEntry getNumDevices = nullptr;
    GetProductStringEntry getProductString = nullptr;
    OpenEntry open = nullptr;
    CloseEntry close = nullptr;
    ReadEntry read = nullptr;
    WriteEntry write = nullptr;
    FlushBuffersEntry flushBuffers = nullptr;
    SetTimeoutsEntry setTimeouts = nullptr;
    CheckRxQueueEntry checkRxQueue = nullptr;
    SetBaudRateEntry setBaudRate = nullptr;
    SetLineControlEntry setLineControl = nullptr;
};

namespace {

bool bareName(const std::string& library) {
    return library.find_first_of("\\/") == std::string::npos;
}

// A bare file name is looked for in the program's folder and the system folder only: the
// current folder and PATH are places where anyone may leave a library of that name.
HMODULE loadLibrary(const std::string& library) {
    const std::filesystem::path path = fileSystemPath(library);
    if (bareName(library)) {
        return LoadLibraryExW(path.c_str(), nullptr,
                              LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    return LoadLibraryW(path.c_str());
}

// A folder of the system's, with its separator.
std::string systemFolder() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? utf8FromWide(folder) + "\\" : std::string();
}

std::string programFolder() {
    std::vector<wchar_t> path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    const std::string program = utf8FromWide(std::wstring_view(path.data(), length));
    return program.substr(0, program.find_last_of('\\') + 1);
}

// Why loading failed, as a loader error says it.
std::string loadFailure(DWORD error) {
    switch (error) {
        case ERROR_MOD_NOT_FOUND:
            return std::string(link_texts::LIBRARY_NOT_FOUND);
        case ERROR_BAD_EXE_FORMAT:
            return std::string(link_texts::LIBRARY_NOT_64_BIT);
        default:
            break;
    }
    return std::string(link_texts::LIBRARY_ERROR) + std::to_string(error);
}

}  // namespace

SiUsbXpBridge::SiUsbXpBridge(const std::string& library) {
    HMODULE module = loadLibrary(library);
    // Taken at once: finding the folders to name below sets the thread's last error again.
    const DWORD loadError = module == nullptr ? GetLastError() : 0;
    const std::string where = bareName(library) ? programFolder() + library + " " +
                                                      std::string(link_texts::OR_WORD) + " " +
                                                      systemFolder() + library
                                                : library;
    if (module == nullptr) {
        problem_ = std::string(link_texts::LIBRARY_NOT_LOADED) + where + ": " +
                   loadFailure(loadError) + std::string(link_texts::LIBRARY_NEEDED);
        return;
    }
    auto entries = std::make_unique<Entries>();
    // All or nothing: a library that lacks one operation is not the bridge's library.
    const bool complete =
        bind(module, ORDINAL_GET_NUM_DEVICES, entries->getNumDevices) &&
        bind(module, ORDINAL_GET_PRODUCT_STRING, entries->getProductString) &&
        bind(module, ORDINAL_OPEN, entries->open) && bind(module, ORDINAL_CLOSE, entries->close) &&
        bind(module, ORDINAL_READ, entries->read) && bind(module, ORDINAL_WRITE, entries->write) &&
        bind(module, ORDINAL_FLUSH_BUFFERS, entries->flushBuffers) &&
        bind(module, ORDINAL_SET_TIMEOUTS, entries->setTimeouts) &&
        bind(module, ORDINAL_CHECK_RX_QUEUE, entries->checkRxQueue) &&
        bind(module, ORDINAL_SET_BAUD_RATE, entries->setBaudRate) &&
        bind(module, ORDINAL_SET_LINE_CONTROL, entries->setLineControl);
    if (!complete) {
        FreeLibrary(module);
        problem_ = std::string(link_texts::LIBRARY_INCOMPLETE) + where +
                   std::string(link_texts::LIBRARY_NEEDED);
        return;
    }
    library_ = module;
    entries_ = std::move(entries);
}

SiUsbXpBridge::~SiUsbXpBridge() {
    entries_.reset();
    if (library_ != nullptr) FreeLibrary(static_cast<HMODULE>(library_));
}

bool SiUsbXpBridge::bound() const {
    return entries_ != nullptr;
}

int32_t SiUsbXpBridge::getNumDevices(uint32_t* count) {
    if (!entries_) {
        *count = 0;
        return SIUSBXP_NOT_BOUND_STATUS;
    }
    DWORD n = 0;
    const int status = entries_->getNumDevices(&n);
    *count = static_cast<uint32_t>(n);
    return status;
}

int32_t SiUsbXpBridge::getProductString(uint32_t index, void* buffer, uint32_t kind) {
    if (!entries_) return SIUSBXP_NOT_BOUND_STATUS;
    return entries_->getProductString(index, buffer, kind);
}

int32_t SiUsbXpBridge::open(uint32_t index, DeviceHandle* handle) {
    if (!entries_) return SIUSBXP_NOT_BOUND_STATUS;
    HANDLE opened = nullptr;
    const int status = entries_->open(index, &opened);
    *handle = opened;
    return status;
}

int32_t SiUsbXpBridge::close(DeviceHandle handle) {
    if (!entries_) return SIUSBXP_NOT_BOUND_STATUS;
    return entries_->close(handle);
}

int32_t SiUsbXpBridge::read(DeviceHandle handle, void* buffer, uint32_t bytesToRead,
                            uint32_t* bytesRead, void* overlapped) {
    if (!entries_) return SIUSBXP_NOT_BOUND_STATUS;
    DWORD n = 0;
    const int status =
        entries_->read(handle, buffer, bytesToRead, &n, static_cast<LPOVERLAPPED>(overlapped));
    *bytesRead = static_cast<uint32_t>(n);
    return status;
}

int32_t SiUsbXpBridge::write(DeviceHandle handle, const void* buffer, uint32_t bytesToWrite,
                             uint32_t* bytesWritten, void* overlapped) {
    if (!entries_) return SIUSBXP_NOT_BOUND_STATUS;
    DWORD n = 0;
    // The library takes a plain buffer pointer; it only reads from it.
    const int status = entries_->write(handle, const_cast<void*>(buffer), bytesToWrite, &n,
                                       static_cast<LPOVERLAPPED>(overlapped));
    *bytesWritten = static_cast<uint32_t>(n);
    return status;
}

int32_t SiUsbXpBridge::flushBuffers(DeviceHandle handle, uint8_t flushTransmit,
                                    uint8_t flushReceive) {
    if (!entries_) return SIUSBXP_NOT_BOUND_STATUS;
    return entries_->flushBuffers(handle, flushTransmit, flushReceive);
}

int32_t SiUsbXpBridge::setTimeouts(uint32_t readTimeoutMs, uint32_t writeTimeoutMs) {
    if (!entries_) return SIUSBXP_NOT_BOUND_STATUS;
    return entries_->setTimeouts(readTimeoutMs, writeTimeoutMs);
}

int32_t SiUsbXpBridge::checkRxQueue(DeviceHandle handle, uint32_t* bytesInQueue,
                                    uint32_t* queueStatus) {
    if (!entries_) return SIUSBXP_NOT_BOUND_STATUS;
    DWORD waiting = 0;
    DWORD status = 0;
    const int result = entries_->checkRxQueue(handle, &waiting, &status);
    *bytesInQueue = static_cast<uint32_t>(waiting);
    *queueStatus = static_cast<uint32_t>(status);
    return result;
}

int32_t SiUsbXpBridge::setBaudRate(DeviceHandle handle, uint32_t baudRate) {
    if (!entries_) return SIUSBXP_NOT_BOUND_STATUS;
    return entries_->setBaudRate(handle, baudRate);
}

int32_t SiUsbXpBridge::setLineControl(DeviceHandle handle, uint16_t lineControl) {
    if (!entries_) return SIUSBXP_NOT_BOUND_STATUS;
    return entries_->setLineControl(handle, lineControl);
}

std::unique_ptr<UsbBridge> makeSiUsbXpBridge(const OpenFailureNote& note) {
    auto bridge = std::make_unique<SiUsbXpBridge>();
    if (!bridge->bound() && note) note(bridge->problem());
    return bridge;
}

}  // namespace tivra
