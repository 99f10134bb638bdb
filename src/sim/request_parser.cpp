#include "sim/request_parser.h"

namespace tivra::sim {

namespace {
constexpr uint8_t MARK_1 = 0x55;
constexpr uint8_t MARK_2 = 0xAA;
constexpr uint8_t ESCAPE = 0x33;
constexpr uint8_t SHORTEST_FRAME = 5;  // 00 N 55 AA command
}  // namespace

void RequestParser::reset() {
    state_ = State::Idle;
    body_.clear();
    logical_ = 0;
}

void RequestParser::giveUp(uint8_t byte) {
    ++malformed_;
    reset();
    // The byte that broke the frame may itself start the next one.
    if (byte == 0x00) state_ = State::Length;
}

bool RequestParser::feed(uint8_t byte, Request& request) {
    switch (state_) {
        case State::Idle:
            if (byte == 0x00) state_ = State::Length;
            return false;
        case State::Length:
            if (byte < SHORTEST_FRAME) {
                giveUp(byte);
                return false;
            }
            length_ = byte;
            state_ = State::Mark1;
            return false;
        case State::Mark1:
            if (byte != MARK_1) {
                giveUp(byte);
                return false;
            }
            state_ = State::Mark2;
            return false;
        case State::Mark2:
            if (byte != MARK_2) {
                giveUp(byte);
                return false;
            }
            logical_ = 4;
            body_.clear();
            state_ = State::Body;
            return false;
        case State::Body:
            if (byte == ESCAPE) {
                state_ = State::Escaped;
                return false;
            }
            if (byte == MARK_2) {  // must have been escaped
                giveUp(byte);
                return false;
            }
            break;
        case State::Escaped:
            if (byte != ESCAPE && byte != MARK_2) {
                giveUp(byte);
                return false;
            }
            state_ = State::Body;
            break;
    }

    body_.push_back(byte);
    if (++logical_ < length_) return false;
    request.length = length_;
    request.command = body_[0];
    request.items.assign(body_.begin() + 1, body_.end());
    reset();
    return true;
}

}  // namespace tivra::sim
