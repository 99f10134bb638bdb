#include <winsock2.h>
#include <ws2tcpip.h>

#include <chrono>
#include <string>

#include "link/bridges/deadline.h"
#include "link/bridges/name_lookup.h"
#include "link/bridges/socket.h"
#include "link/link_texts.h"

namespace tivra {

namespace {

using Clock = DeadlineClock;

// Winsock, started once for the program.
bool winsockStarted() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

// Waits until end for the socket to be readable (or closed), or writable (or connected); a
// failed connection shows in the third set. select rather than WSAPoll, which on some Windows
// versions never reports a refused connection. False on time-out.
bool waitFor(SOCKET s, bool forWriting, Clock::time_point end) {
    fd_set ready, failed;
    FD_ZERO(&ready);
    FD_ZERO(&failed);
    FD_SET(s, &ready);
    FD_SET(s, &failed);
    const int left = static_cast<int>(millisecondsLeft(end));
    timeval limit{left / 1000, (left % 1000) * 1000};
    return select(0, forWriting ? nullptr : &ready, forWriting ? &ready : nullptr, &failed,
                  &limit) != 0;
}

std::string reasonFor(int error) {
    switch (error) {
        case WSAECONNREFUSED:
            return std::string(link_texts::CONNECTION_REFUSED);
        case WSAETIMEDOUT:
            return std::string(link_texts::NO_ANSWER);
        case WSAENETUNREACH:
        case WSAEHOSTUNREACH:
            return std::string(link_texts::UNREACHABLE);
        case WSAECONNRESET:
        case WSAECONNABORTED:
            return std::string(link_texts::CONNECTION_LOST);
        default:
            return "Windows socket error " + std::to_string(error);
    }
}

}  // namespace

Socket::~Socket() {
    close();
}

bool Socket::connected() const {
    return handle_ != -1;
}

bool Socket::connect(const std::string& host, uint16_t port, uint32_t timeoutMs, std::string& why) {
    close();
    if (!winsockStarted()) {
        why = "Winsock cannot start";
        return false;
    }
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    addrinfo* found = lookUpWithin(host, port, timeoutMs, why);
    if (found == nullptr) return false;
    why = std::string(link_texts::NO_ANSWER);
    for (addrinfo* address = found; address != nullptr && handle_ == -1;
         address = address->ai_next) {
        const SOCKET s = socket(address->ai_family, address->ai_socktype, address->ai_protocol);
        if (s == INVALID_SOCKET) continue;
        u_long nonBlocking = 1;
        ioctlsocket(s, FIONBIO, &nonBlocking);
        int reason = 0;
        if (::connect(s, address->ai_addr, static_cast<int>(address->ai_addrlen)) != 0) {
            reason = WSAGetLastError();
            if (reason == WSAEWOULDBLOCK) {
                if (!waitFor(s, true, end)) {
                    closesocket(s);
                    continue;
                }
                int size = sizeof reason;
                getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&reason), &size);
            }
        }
        if (reason != 0) {
            why = reasonFor(reason);
            closesocket(s);
            continue;
        }
        const BOOL on = TRUE;
        setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
        handle_ = static_cast<intptr_t>(s);
    }
    freeaddrinfo(found);
    return handle_ != -1;
}

bool Socket::send(const uint8_t* bytes, size_t size, uint32_t timeoutMs) {
    if (handle_ == -1) return false;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    const auto s = static_cast<SOCKET>(handle_);
    for (size_t done = 0; done < size;) {
        const int n = ::send(s, reinterpret_cast<const char*>(bytes + done),
                             static_cast<int>(size - done), 0);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && WSAGetLastError() == WSAEWOULDBLOCK && waitFor(s, true, end)) continue;
        return false;
    }
    return true;
}

long Socket::receive(uint8_t* out, size_t max, uint32_t timeoutMs) {
    if (handle_ == -1) return -1;
    const auto s = static_cast<SOCKET>(handle_);
    if (!waitFor(s, false, Clock::now() + std::chrono::milliseconds(timeoutMs))) return 0;
    const int n = recv(s, reinterpret_cast<char*>(out), static_cast<int>(max), 0);
    if (n > 0) return n;
    if (n == 0) return -1;
    return WSAGetLastError() == WSAEWOULDBLOCK ? 0 : -1;
}

void Socket::close() {
    if (handle_ != -1) closesocket(static_cast<SOCKET>(handle_));
    handle_ = -1;
}

}  // namespace tivra
