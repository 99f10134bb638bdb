#pragma once
// What tivractl (and the window, on standard error) prints as text never reaches a terminal as a
// control character or a character that turns the text around: a file's comment or key, a file or
// device name, may hold escape sequences that would set the terminal's title, colours or worse, or
// bidirectional controls that make one name look like another. Shown escaped instead, as git and ls
// show such names:
// - every byte below 0x20 but newline and tab, 0x7F, and the bytes 0x80..0x9F that are not part
//   of a UTF-8 character (C1 controls to a terminal that reads Latin-1): "\xHH";
// - the C1 controls U+0080..U+009F and the bidirectional controls U+202A..U+202E and
//   U+2066..U+2069 written in UTF-8: "\uHHHH".
// JSON escapes the same characters itself (json_output.h); a file's own bytes written to standard
// output (format -o -) do not pass through the streams and stay as they are.

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

namespace tivra {

// The text with those characters escaped.
std::string terminalSafe(std::string_view text);

// While it lives, everything written to the stream reaches it with those characters escaped.
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

}  // namespace tivra
