#pragma once
// The bridge library played over a TCP connection to a serial device server (a box, or a
// computer running ser2net) with the LocalBoard on its serial line: the exchanges above never
// know the difference.
//
//   getNumDevices     1 once the server takes the connection (made here, within 5 s, when
//                     there is none), else 0: to discovery an unreachable server is a missing
//                     board, and onOpenFailure is told why ("HOST:PORT: connection refused").
//                     A server that hangs up at once (Rfc2217: it spoke before answering a
//                     question and hung up), as one still closing an earlier connection does,
//                     is connected to again within those 5 s
//   getProductString  kind 1: "Quorvantel Ostrel", the line named being the LocalBoard's
//   open/close        the connection (made if need be)
//   setBaudRate,      Rfc2217: the COM port option's requests (baud rate; data size, parity
//   setLineControl    and stop size); RawTcp: nothing, the line is set on the server
//   flushBuffers      drops what was received; Rfc2217 also asks the server to purge its buffers
//   write             the bytes (Rfc2217: each 0xFF doubled)
//   checkRxQueue      what has arrived, without waiting; status 2 when any, 0 when none
//   read              until all bytes came or the time-out ran out; fewer is not a failure
// A connection that is lost fails every call after the data it brought; a later discovery (the
// next command) connects again. The server's own talk never reaches the data. When the last bytes
// before the server hung up were a line of text (ser2net's "Device open failure: ..."), the
// reason given quotes it.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "link/bridges/deadline.h"
#include "link/bridges/socket.h"
#include "link/bridges/telnet_stream.h"
#include "link/usb_bridge.h"

namespace tivra {

class NetworkBridge final : public UsbBridge {
  public:
    enum class Protocol { Rfc2217, RawTcp };
    NetworkBridge(Protocol protocol, std::string host, uint16_t port);

    // Told "HOST:PORT: why" when the server cannot be reached or the connection is lost.
    OpenFailureNote onOpenFailure;

    int32_t getNumDevices(uint32_t* count) override;
    int32_t getProductString(uint32_t index, void* buffer, uint32_t kind) override;
    int32_t open(uint32_t index, DeviceHandle* handle) override;
    int32_t close(DeviceHandle handle) override;
    int32_t read(DeviceHandle handle, void* buffer, uint32_t bytesToRead, uint32_t* bytesRead,
                 void* overlapped) override;
    int32_t write(DeviceHandle handle, const void* buffer, uint32_t bytesToWrite,
                  uint32_t* bytesWritten, void* overlapped) override;
    int32_t flushBuffers(DeviceHandle handle, uint8_t flushTransmit, uint8_t flushReceive) override;
    int32_t setTimeouts(uint32_t readTimeoutMs, uint32_t writeTimeoutMs) override;
    int32_t checkRxQueue(DeviceHandle handle, uint32_t* bytesInQueue,
                         uint32_t* queueStatus) override;
    int32_t setBaudRate(DeviceHandle handle, uint32_t baudRate) override;
    int32_t setLineControl(DeviceHandle handle, uint16_t lineControl) override;

  private:
    using Clock = DeadlineClock;
    enum class Settled { Taken, HungUp, NotTelnet };
    bool connect();
    // After connecting, by end: the telnet options (Rfc2217), and whether the server took the
    // connection, hung up at once, or speaks no telnet.
    Settled settle(Clock::time_point end);
    bool ours(DeviceHandle handle) const { return handle == this && socket_.connected(); }
    // Takes what the server has sent, waiting at most timeoutMs for the first of it. False when
    // the connection is gone.
    bool pump(uint32_t timeoutMs);
    bool send(const std::vector<uint8_t>& bytes, uint32_t timeoutMs);
    void lost();
    void keepLastReceived(const uint8_t* bytes, size_t count);

    Protocol protocol_;
    std::string host_;
    uint16_t port_;
    Socket socket_;
    TelnetStream telnet_;
    std::vector<uint8_t> data_;          // the line's bytes received and not yet read
    std::vector<uint8_t> lastReceived_;  // the line's last bytes, read or not
    bool gone_ = false;                  // the connection was lost (said once)
    bool quiet_ = false;                 // while connecting: a loss is not told at once
    std::string lossReason_;             // "HOST:PORT: the connection was lost..."
    Clock::time_point connectEnd_;       // while connecting: when the time is up
    uint32_t readTimeoutMs_ = 4096;
    uint32_t writeTimeoutMs_ = 4096;
};

}  // namespace tivra
