#pragma once
// The bridge library played over serial ports (POSIX builds). libserialport lists the USB serial
// ports and their USB product descriptions; the line itself is driven through termios, which
// serves a pseudo-terminal (the simulator's) exactly as it serves a USB serial port, where
// libserialport would refuse a pseudo-terminal.
//
//   devices           the USB serial ports, listed afresh by each getNumDevices, or exactly
//                     the ports given to the constructor
//   product string    kind 1: the port's USB product description; kind 0: its USB serial number
//   open/close        the device, raw, read and write, no flow control, for this program alone
//                     (refused while another program holds it); the handle is private
//   setBaudRate       the line speed (the standard rates 300..230400 and above where the
//                     system has them)
//   setLineControl    word bits 15-8 data bits (5..8), bits 7-4 parity (0 none, 1 odd, 2 even,
//                     3 mark, 4 space), bits 3-0 stop bits (1 or 2): 0x0801 is 8N1
//   flushBuffers      discards what waits in the directions asked
//   setTimeouts       the limits of every later read and write (0: take what is there)
//   read/write        until all bytes moved or the time-out ran out; fewer is not a failure,
//                     but a line that hangs up or fails fails the call at once
//   checkRxQueue      bytes waiting; status 2 when any wait, 0 when none
// A failed system call gives the status 0xFF.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/usb_bridge.h"

namespace tivra {

struct SerialPortEntry {
    std::string path;         // e.g. "/dev/ttyUSB0", "/dev/pts/3"
    std::string description;  // what the product string reports
    bool usb = true;          // false: a port of another kind, with no USB description
    std::string serialNumber;  // the USB serial number, when the device has one
};

// What a line-control word asks for; nullopt for a word the bridge refuses.
struct LineControl {
    int dataBits = 8;   // 5..8
    char parity = 'N';  // 'N' none, 'O' odd, 'E' even, 'M' mark, 'S' space
    int stopBits = 1;   // 1 or 2
    friend bool operator==(const LineControl&, const LineControl&) = default;
};
std::optional<LineControl> decodeLineControl(uint16_t word);

// Clears the exclusive mark of every line open now, for a program that a signal is ending: the
// mark would otherwise outlive it on a pseudo-terminal (the simulator's) and keep every later
// program out. Safe in a signal handler; the lines stay open until the program ends.
void releaseSerialLinesNow();

// Every serial port of this machine that libserialport finds, USB or not, by path.
std::vector<SerialPortEntry> listSerialPorts();
// The USB serial ports attached now, with their USB product descriptions, by path.
std::vector<SerialPortEntry> listUsbSerialPorts();
// Those of them whose USB serial number is serialNumber (one, unless two devices share it).
std::vector<SerialPortEntry> usbPortsWithSerialNumber(const std::string& serialNumber);

class SerialBridge final : public UsbBridge {
  public:
    SerialBridge();                                             // the USB serial ports
    explicit SerialBridge(std::vector<SerialPortEntry> ports);  // exactly these ports
    ~SerialBridge() override;
    SerialBridge(const SerialBridge&) = delete;
    SerialBridge& operator=(const SerialBridge&) = delete;

    // Told "PATH: why" when open fails, e.g. "/dev/ttyUSB0: in use by another program".
    std::function<void(const std::string&)> onOpenFailure;

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
    struct Line;
    Line* line(DeviceHandle handle) const;
    void listIfNeeded();

    bool listsUsbPorts_;
    std::vector<SerialPortEntry> ports_;
    bool listed_ = false;
    std::vector<std::unique_ptr<Line>> open_;
    // Until set otherwise, no read or write waits longer than the board link's own limit.
    uint32_t readTimeoutMs_ = 4096;
    uint32_t writeTimeoutMs_ = 4096;
};

}  // namespace tivra
