#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "link/bridges/deadline.h"
#include "link/bridges/name_lookup.h"
#include "link/bridges/socket.h"
#include "link/link_texts.h"

namespace tivra {

namespace {

using Clock = DeadlineClock;

// Waits for the socket to be ready for events until end; false on time-out.
bool waitFor(int fd, short events, Clock::time_point end, short& got) {
    for (;;) {
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, static_cast<int>(millisecondsLeft(end)));
        if (n > 0) {
            got = p.revents;
            return true;
        }
        if (n == 0) return false;
        if (errno != EINTR) {
            got = POLLERR;
            return true;
        }
    }
}

}  // namespace

Socket::~Socket() {
    close();
}

bool Socket::connected() const {
    return handle_ >= 0;
}

bool Socket::connect(const std::string& host, uint16_t port, uint32_t timeoutMs, std::string& why) {
    close();
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    addrinfo* found = lookUpWithin(host, port, timeoutMs, why);
    if (found == nullptr) return false;
    why = std::string(link_texts::NO_ANSWER);
    for (addrinfo* address = found; address != nullptr && handle_ < 0; address = address->ai_next) {
        const int fd =
            ::socket(address->ai_family, address->ai_socktype | SOCK_CLOEXEC, address->ai_protocol);
        if (fd < 0) continue;
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        int reason = 0;
        if (::connect(fd, address->ai_addr, address->ai_addrlen) != 0) {
            reason = errno;
            short got = 0;
            if (reason == EINPROGRESS) {
                if (!waitFor(fd, POLLOUT, end, got)) {
                    ::close(fd);
                    continue;  // no answer in time; why says so
                }
                socklen_t size = sizeof reason;
                ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &reason, &size);
            }
        }
        if (reason != 0) {
            why = reason == ECONNREFUSED ? std::string(link_texts::CONNECTION_REFUSED)
                  : reason == ETIMEDOUT  ? std::string(link_texts::NO_ANSWER)
                  : reason == ENETUNREACH || reason == EHOSTUNREACH
                      ? std::string(link_texts::UNREACHABLE)
                  : reason == ECONNRESET || reason == ECONNABORTED
                      ? std::string(link_texts::CONNECTION_LOST)
                      : std::strerror(reason);
            ::close(fd);
            continue;
        }
        // Requests are a few bytes each, and wait for their answer: send them at once.
        const int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        handle_ = fd;
    }
    ::freeaddrinfo(found);
    return handle_ >= 0;
}

bool Socket::send(const uint8_t* bytes, size_t size, uint32_t timeoutMs) {
    if (handle_ < 0) return false;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    const int fd = static_cast<int>(handle_);
    for (size_t done = 0; done < size;) {
        const ssize_t n = ::send(fd, bytes + done, size - done, MSG_NOSIGNAL);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        short got = 0;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) &&
            waitFor(fd, POLLOUT, end, got) && (got & POLLOUT) != 0)
            continue;
        return false;
    }
    return true;
}

long Socket::receive(uint8_t* out, size_t max, uint32_t timeoutMs) {
    if (handle_ < 0) return -1;
    const int fd = static_cast<int>(handle_);
    short got = 0;
    if (!waitFor(fd, POLLIN, Clock::now() + std::chrono::milliseconds(timeoutMs), got)) return 0;
    for (;;) {
        const ssize_t n = ::recv(fd, out, max, 0);
        if (n > 0) return static_cast<long>(n);
        if (n == 0) return -1;  // the server closed the connection
        if (errno == EINTR) continue;
        return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
    }
}

void Socket::close() {
    if (handle_ >= 0) ::close(static_cast<int>(handle_));
    handle_ = -1;
}

}  // namespace tivra
