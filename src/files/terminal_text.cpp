#include "files/terminal_text.h"

#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace tivra {

namespace {

constexpr char DIGITS[] = "0123456789abcdef";

bool isControlByte(unsigned char c) {
    return (c < 0x20 && c != '\n' && c != '\t') || c == 0x7F;
}

// The code points shown escaped when they come as UTF-8.
bool isHiddenCodePoint(uint32_t code) {
    return (code >= 0x80 && code <= 0x9F) || (code >= 0x202A && code <= 0x202E) ||
           (code >= 0x2066 && code <= 0x2069);
}

// The length of the UTF-8 character at the start of text: 2 to 4, 0 when it is not one (a lone
// byte, a sequence cut short, an overlong or surrogate form), and with code set.
size_t utf8Character(std::string_view text, uint32_t& code) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    size_t length = 0;
    uint32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1Fu, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0Fu, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07u, minimum = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(i) & 0x3Fu);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code >= minimum && code <= 0x10FFFF && !surrogate ? length : 0;
}

// A lead byte whose character may be completed by what comes next.
bool mayStartCharacter(std::string_view rest) {
    const auto lead = static_cast<unsigned char>(rest[0]);
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (lead < 0xC2 || lead > 0xF4 || rest.size() >= length) return false;
    for (size_t i = 1; i < rest.size(); ++i)
        if ((static_cast<unsigned char>(rest[i]) & 0xC0) != 0x80) return false;
    return true;
}

// Escapes text; with keepTail, an unfinished UTF-8 character at its end is left in tail for the
// next piece of text instead.
std::string escape(std::string_view text, std::string* tail) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if (isControlByte(c))
                out += {'\\', 'x', DIGITS[c >> 4], DIGITS[c & 0xF]};
            else
                out += static_cast<char>(c);
            ++i;
            continue;
        }
        uint32_t code = 0;
        const size_t length = utf8Character(text.substr(i), code);
        if (length == 0) {
            if (tail != nullptr && mayStartCharacter(text.substr(i))) {
                *tail = std::string(text.substr(i));
                break;
            }
            if (c <= 0x9F)
                out += {'\\', 'x', DIGITS[c >> 4], DIGITS[c & 0xF]};
            else
                out += static_cast<char>(c);
            ++i;
            continue;
        }
        if (isHiddenCodePoint(code)) {
            out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4) out += DIGITS[(code >> shift) & 0xF];
        } else {
            out.append(text.substr(i, length));
        }
        i += length;
    }
    return out;
}

}  // namespace

std::string terminalSafe(std::string_view text) {
    return escape(text, nullptr);
}

// Passes every character on at once (no buffer of its own, so that the order with what is
// written to the C library's stdout is kept), escaping as terminalSafe does; only the first bytes
// of a UTF-8 character written in two pieces wait for the rest.
class TerminalSafeStream::Buffer : public std::streambuf {
  public:
    explicit Buffer(std::streambuf* target) : target_(target) {}

    void flushTail() {
        const std::string safe = escape(tail_, nullptr);
        tail_.clear();
        target_->sputn(safe.data(), static_cast<std::streamsize>(safe.size()));
    }

  protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        const char ch = traits_type::to_char_type(c);
        return xsputn(&ch, 1) == 1 ? c : traits_type::eof();
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        std::string piece = std::move(tail_);
        tail_.clear();
        piece.append(text, static_cast<size_t>(count));
        const std::string safe = escape(piece, &tail_);
        const auto size = static_cast<std::streamsize>(safe.size());
        return target_->sputn(safe.data(), size) == size ? count : 0;
    }
    int sync() override {
        flushTail();
        return target_->pubsync();
    }

  private:
    std::streambuf* target_;
    std::string tail_;
};

TerminalSafeStream::TerminalSafeStream(std::ostream& stream)
    : stream_(stream), original_(stream.rdbuf()), buffer_(std::make_unique<Buffer>(original_)) {
    stream_.rdbuf(buffer_.get());
}

TerminalSafeStream::~TerminalSafeStream() {
    stream_.flush();
    buffer_->flushTail();
    stream_.rdbuf(original_);
}

}  // namespace tivra
