#include "link/bridges/telnet_stream.h"

namespace tivra {

namespace {

constexpr uint8_t IAC = 255, DONT = 254, DO = 253, WONT = 252, WILL = 251, SB = 250, SE = 240;
constexpr uint8_t BINARY = 0, SUPPRESS_GO_AHEAD = 3, COM_PORT_OPTION = 44;
// The COM port option's client requests (the server answers each with 100 more).
constexpr uint8_t SET_BAUDRATE = 1, SET_DATASIZE = 2, SET_PARITY = 3, SET_STOPSIZE = 4,
                  PURGE_DATA = 12;
constexpr uint8_t PARITY_NONE = 1, STOPSIZE_ONE = 1;
// The server's answer to a request is the request's code plus this.
constexpr uint8_t SERVER_ANSWER = 100;

// The server's commands 100 to 105 and 110 to 112 answer the client's requests 0 to 5 and 10 to
// 12; 106 to 109 are its own notifications and flow control.
bool answersARequest(uint8_t command) {
    return (command >= SERVER_ANSWER && command <= SERVER_ANSWER + 5) ||
           (command >= SERVER_ANSWER + 10 && command <= SERVER_ANSWER + 12);
}

bool supported(uint8_t code) {
    return code == BINARY || code == SUPPRESS_GO_AHEAD || code == COM_PORT_OPTION;
}

std::vector<uint8_t> request(uint8_t command, std::vector<uint8_t> value) {
    std::vector<uint8_t> out = {IAC, SB, COM_PORT_OPTION, command};
    for (const uint8_t byte : value) {
        out.push_back(byte);
        if (byte == IAC) out.push_back(IAC);
    }
    out.insert(out.end(), {IAC, SE});
    return out;
}

}  // namespace

std::vector<uint8_t> TelnetStream::greeting() {
    weAgreed_[COM_PORT_OPTION] = weAgreed_[BINARY] = weAgreed_[SUPPRESS_GO_AHEAD] = true;
    theyAgreed_[BINARY] = theyAgreed_[SUPPRESS_GO_AHEAD] = true;
    return {IAC, WILL, COM_PORT_OPTION,   IAC, WILL, BINARY,           IAC, DO, BINARY,
            IAC, WILL, SUPPRESS_GO_AHEAD, IAC, DO,   SUPPRESS_GO_AHEAD};
}

std::vector<uint8_t> TelnetStream::setBaudRate(uint32_t rate) {
    return request(SET_BAUDRATE,
                   {static_cast<uint8_t>(rate >> 24), static_cast<uint8_t>(rate >> 16),
                    static_cast<uint8_t>(rate >> 8), static_cast<uint8_t>(rate)});
}

std::vector<uint8_t> TelnetStream::setEightNoneOne() {
    std::vector<uint8_t> out = request(SET_DATASIZE, {8});
    for (auto part : {request(SET_PARITY, {PARITY_NONE}), request(SET_STOPSIZE, {STOPSIZE_ONE})})
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

std::vector<uint8_t> TelnetStream::purge(uint8_t which) {
    return request(PURGE_DATA, {which});
}

std::vector<uint8_t> TelnetStream::escaped(const uint8_t* data, size_t size) {
    std::vector<uint8_t> out;
    out.reserve(size + 8);
    for (size_t i = 0; i < size; ++i) {
        out.push_back(data[i]);
        if (data[i] == IAC) out.push_back(IAC);
    }
    return out;
}

void TelnetStream::option(uint8_t verb, uint8_t code, std::vector<uint8_t>& replies) {
    const bool asksUs = verb == DO || verb == DONT;  // about what this side does
    const bool positive = verb == DO || verb == WILL;
    if (code == COM_PORT_OPTION && verb == DO) comPortAnswered_ = comPortAgreed_ = true;
    if (code == COM_PORT_OPTION && verb == DONT) comPortAnswered_ = true;
    bool* agreed = asksUs ? weAgreed_ : theyAgreed_;
    // Agreed already, asked again: no answer (answering each time would loop for ever).
    if (positive && supported(code) && agreed[code]) return;
    if (!positive && !agreed[code]) return;
    uint8_t answer = 0;
    if (positive && supported(code)) {
        answer = asksUs ? WILL : DO;
        agreed[code] = true;
    } else {
        answer = asksUs ? WONT : DONT;
        agreed[code] = false;
    }
    replies.insert(replies.end(), {IAC, answer, code});
}

void TelnetStream::receive(const uint8_t* bytes, size_t size, std::vector<uint8_t>& data,
                           std::vector<uint8_t>& replies) {
    for (size_t i = 0; i < size; ++i) {
        const uint8_t byte = bytes[i];
        switch (state_) {
            case State::Data:
                if (byte == IAC)
                    state_ = State::Command;
                else
                    data.push_back(byte);
                break;
            case State::Command:
                if (byte == IAC) {
                    data.push_back(IAC);  // a data byte 0xFF, doubled by the server
                    state_ = State::Data;
                    break;
                }
                spoken_ = true;
                if (byte >= WILL && byte <= DONT) {
                    verb_ = byte;
                    state_ = State::Option;
                } else if (byte == SB) {
                    subSize_ = 0;
                    subHead_[0] = subHead_[1] = 0;
                    state_ = State::Sub;
                } else {
                    state_ = State::Data;  // NOP, GA and the like: nothing for the line
                }
                break;
            case State::Option:
                option(verb_, byte, replies);
                state_ = State::Data;
                break;
            case State::Sub:
                // Notifications and acknowledgements of the COM port option: not the line's.
                if (byte == IAC)
                    state_ = State::SubCommand;
                else if (subSize_ < 2)
                    subHead_[subSize_++] = byte;
                break;
            case State::SubCommand:
                // IAC IAC is a 0xFF inside; IAC SE ends it; anything else ends it too.
                if (byte == IAC) {
                    if (subSize_ < 2) subHead_[subSize_++] = byte;
                    state_ = State::Sub;
                    break;
                }
                if (byte == SE && subSize_ == 2 && subHead_[0] == COM_PORT_OPTION &&
                    answersARequest(subHead_[1]))
                    ++comPortAnswers_;
                state_ = State::Data;
                break;
        }
    }
}

}  // namespace tivra
