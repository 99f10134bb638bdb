#pragma once
// The telnet side of a serial line behind a serial device server (RFC 854), with the COM port
// option of RFC 2217: what the board link sends is escaped (a data byte 0xFF is sent twice) and
// the server's stream is split into the line's data and the server's own talk (option
// negotiation, COM port notifications and acknowledgements), which never reaches the data.
// The server is answered as a client of RFC 2217 answers: binary and suppress-go-ahead in both
// directions and the COM port option accepted, everything else refused. No I/O here: bytes in,
// bytes out.

#include <cstdint>
#include <string>
#include <vector>

namespace tivra {

class TelnetStream {
  public:
    // What the client says on connecting: it will take the COM port option, and both sides use
    // binary mode without go-ahead (so that the server's agreement to these is not answered).
    std::vector<uint8_t> greeting();
    // The COM port option's requests: a baud rate; 8 data bits, no parity, one stop bit; and a
    // purge of the server's buffers (1 its receive buffer, 2 its transmit buffer, 3 both).
    static std::vector<uint8_t> setBaudRate(uint32_t rate);
    static std::vector<uint8_t> setEightNoneOne();
    static std::vector<uint8_t> purge(uint8_t which);
    // Data for the line, with every 0xFF doubled.
    static std::vector<uint8_t> escaped(const uint8_t* data, size_t size);

    // Takes bytes from the server: the line's data is appended to data, what must be answered to
    // replies.
    void receive(const uint8_t* bytes, size_t size, std::vector<uint8_t>& data,
                 std::vector<uint8_t>& replies);
    // Whether the server has said it does (or will not) take the COM port option.
    bool comPortAnswered() const { return comPortAnswered_; }
    bool comPortAgreed() const { return comPortAgreed_; }
    // Whether the server has sent any telnet command at all.
    bool spoken() const { return spoken_; }
    // How many answers to requests of the COM port option the server has sent (notifications
    // are not counted).
    uint32_t comPortAnswers() const { return comPortAnswers_; }

  private:
    enum class State { Data, Command, Option, Sub, SubCommand };
    void option(uint8_t verb, uint8_t code, std::vector<uint8_t>& replies);

    State state_ = State::Data;
    uint8_t verb_ = 0;
    size_t subSize_ = 0;       // bytes of the current subnegotiation, which are dropped
    uint8_t subHead_[2] = {};  // its option and command
    uint32_t comPortAnswers_ = 0;
    bool spoken_ = false;
    bool comPortAnswered_ = false;
    bool comPortAgreed_ = false;
    // The options this side has agreed to (each agreed once: a repeat is not answered again).
    bool weAgreed_[256] = {};
    bool theyAgreed_[256] = {};
};

}  // namespace tivra
