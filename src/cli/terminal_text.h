#pragma once
// What tivractl prints as text never reaches a terminal as a control character: a file's comment
// or key, a file or device name, may hold escape sequences that would set the terminal's title,
// colours or worse. Every byte below 0x20 but newline and tab, and 0x7F, is shown as "\xHH", as git
// and ls show such names. JSON escapes them itself; a file's own bytes written to standard output
// (format -o -) do not pass through the streams and stay as they are.

#include <iosfwd>
#include <memory>

namespace tivra::cli {

// While it lives, everything written to the stream reaches it with its control characters escaped.
class TerminalSafeStream {
  public:
    explicit TerminalSafeStream(std::ostream& stream);
    ~TerminalSafeStream();
    TerminalSafeStream(const TerminalSafeStream&) = delete;
    TerminalSafeStream& operator=(const TerminalSafeStream&) = delete;

  private:
    class Buffer;
    std::ostream& stream_;
    std::streambuf* original_;
    std::unique_ptr<Buffer> buffer_;
};

}  // namespace tivra::cli
