#pragma once
// A TCP connection to a serial device server, as the network bridge needs it: connected within a
// time limit, bytes sent whole, bytes taken as they come (waiting at most as long as asked).
// Its two halves are socket_posix.cpp and socket_windows.cpp (Winsock).

#include <cstddef>
#include <cstdint>
#include <string>

namespace tivra {

class Socket {
  public:
    Socket() = default;
    ~Socket();
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    // Connects to host:port within timeoutMs (every address the name has, in turn). False, with
    // why ("connection refused", "unknown host", "no answer within 5 s"), when it cannot.
    bool connect(const std::string& host, uint16_t port, uint32_t timeoutMs, std::string& why);
    bool connected() const;
    // Sends all bytes (waiting for room at most timeoutMs); false when the connection failed.
    bool send(const uint8_t* bytes, size_t size, uint32_t timeoutMs);
    // Waits at most timeoutMs for bytes, then takes what is there, up to max. The count taken
    // (0: none came); -1 when the connection is gone (closed by the server or failed).
    long receive(uint8_t* out, size_t max, uint32_t timeoutMs);
    void close();

  private:
    intptr_t handle_ = -1;
};

}  // namespace tivra
