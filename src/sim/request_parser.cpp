#include "sim/request_parser.h"

#include "link/wire_format.h"

namespace tivra::sim {

namespace {
constexpr uint8_t SHORTEST_FRAME = READ_REQUEST_LENGTH;  // 00 N 55 AA command
}  // namespace

void RequestParser::reset() {
    state_ = State::Idle;
    body_.clear();
    frame_.clear();
    logical_ = 0;
}

void RequestParser::giveUp(uint8_t byte) {
    ++malformed_;
    reset();
    // The byte that broke the frame may itself start the next one.
    if (byte == 0x00) {
        state_ = State::Length;
        frame_.push_back(byte);
    }
}

bool RequestParser::feed(uint8_t byte, Request& request) {
    if (state_ != State::Idle) frame_.push_back(byte);
    switch (state_) {
        case State::Idle:
            if (byte == 0x00) {
                state_ = State::Length;
                frame_.assign(1, byte);
            }
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
            if (byte != FRAME_MARK_1) {
                giveUp(byte);
                return false;
            }
            state_ = State::Mark2;
            return false;
        case State::Mark2:
            if (byte != FRAME_MARK_2) {
                giveUp(byte);
                return false;
            }
            logical_ = 4;
            body_.clear();
            state_ = State::Body;
            return false;
        case State::Body:
            if (byte == FRAME_ESCAPE) {
                state_ = State::Escaped;
                return false;
            }
            if (byte == FRAME_MARK_2) {  // must have been escaped
                giveUp(byte);
                return false;
            }
            break;
        case State::Escaped:
            if (byte != FRAME_ESCAPE && byte != FRAME_MARK_2) {
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
    request.frame = frame_;
    reset();
    return true;
}

}  // namespace tivra::sim
