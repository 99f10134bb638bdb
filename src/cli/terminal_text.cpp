#include "cli/terminal_text.h"

#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace tivra::cli {

namespace {

bool isControl(unsigned char c) {
    return (c < 0x20 && c != '\n' && c != '\t') || c == 0x7F;
}

std::string escaped(unsigned char c) {
    static const char DIGITS[] = "0123456789abcdef";
    return {'\\', 'x', DIGITS[c >> 4], DIGITS[c & 0xF]};
}

std::string terminalText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text)
        isControl(static_cast<unsigned char>(c)) ? out += escaped(static_cast<unsigned char>(c))
                                                 : out += c;
    return out;
}

}  // namespace

// Passes every character on at once (no buffer of its own, so that the order with what is
// written to the C library's stdout is kept), escaping the control characters.
class TerminalSafeStream::Buffer : public std::streambuf {
  public:
    explicit Buffer(std::streambuf* target) : target_(target) {}

  protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        const char ch = traits_type::to_char_type(c);
        return xsputn(&ch, 1) == 1 ? c : traits_type::eof();
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        const std::string safe = terminalText(std::string_view(text, static_cast<size_t>(count)));
        const auto size = static_cast<std::streamsize>(safe.size());
        return target_->sputn(safe.data(), size) == size ? count : 0;
    }
    int sync() override { return target_->pubsync(); }

  private:
    std::streambuf* target_;
};

TerminalSafeStream::TerminalSafeStream(std::ostream& stream)
    : stream_(stream), original_(stream.rdbuf()), buffer_(std::make_unique<Buffer>(original_)) {
    stream_.rdbuf(buffer_.get());
}

TerminalSafeStream::~TerminalSafeStream() {
    stream_.flush();
    stream_.rdbuf(original_);
}

}  // namespace tivra::cli
