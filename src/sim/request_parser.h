#pragma once
// The boards' side of the request framing: finds frames in the byte stream from the PC
// (00 N 55 AA, then N - 4 logical bytes), removes the 0x33 escapes and checks them.

#include <cstdint>
#include <vector>

namespace tivra::sim {

struct Request {
    uint8_t length = 0;          // the length byte N as sent
    uint8_t command = 0;         // first logical byte after 55 AA
    std::vector<uint8_t> items;  // the logical bytes after the command, escapes removed
    std::vector<uint8_t> frame;  // the frame as it came over the line, from its 00 on
};

class RequestParser {
  public:
    // Takes one byte; true when it completed a request, which is then in `request`.
    bool feed(uint8_t byte, Request& request);
    // Drops a half-received frame (the board's inter-byte time-out).
    void reset();
    bool inFrame() const { return state_ != State::Idle; }
    // Frames given up on: a wrong length byte or start mark, an unescaped 0xAA, a 0x33 not
    // followed by 0x33 or 0xAA.
    uint32_t malformedFrames() const { return malformed_; }

  private:
    enum class State { Idle, Length, Mark1, Mark2, Body, Escaped };
    void giveUp(uint8_t byte);

    State state_ = State::Idle;
    uint8_t length_ = 0;
    uint32_t logical_ = 0;
    std::vector<uint8_t> body_;
    std::vector<uint8_t> frame_;  // the bytes of the frame so far
    uint32_t malformed_ = 0;
};

}  // namespace tivra::sim
