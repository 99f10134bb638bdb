// What reaches the bridges from outside, on any bytes: as a TIVRA_BRIDGE value, a value taken
// means what it says (written back out, it is taken alike); as what a serial device server sends,
// the telnet side gives the same data and replies however the stream is cut, never more data than
// came, and a line's data escaped as the client escapes it comes back whole.

#include <string>
#include <string_view>
#include <vector>

#include "boards/bridge_choice.h"
#include "fuzz_support.h"
#include "link/bridges/telnet_stream.h"

using namespace tivra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    BridgeChoice choice, again;
    std::string error;
    if (parseBridgeChoice(std::string_view(reinterpret_cast<const char*>(data), size), choice,
                          error)) {
        fuzz::require(parseBridgeChoice(bridgeText(choice), again, error) &&
                          again.kind == choice.kind && again.name == choice.name &&
                          again.number == choice.number,
                      "a bridge value written back is taken otherwise");
    } else {
        fuzz::require(!error.empty(), "a bridge value refused without a reason");
    }

    std::vector<uint8_t> whole, wholeReplies, cut, cutReplies;
    TelnetStream once, inPieces;
    once.greeting();
    inPieces.greeting();
    once.receive(data, size, whole, wholeReplies);
    const size_t at = size == 0 ? 0 : data[0] % size;
    inPieces.receive(data, at, cut, cutReplies);
    inPieces.receive(data + at, size - at, cut, cutReplies);
    fuzz::require(whole == cut && wholeReplies == cutReplies &&
                      once.comPortAgreed() == inPieces.comPortAgreed(),
                  "the stream understood otherwise when cut");
    fuzz::require(whole.size() <= size, "more data than came");

    const std::vector<uint8_t> escaped = TelnetStream::escaped(data, size);
    std::vector<uint8_t> back, replies;
    TelnetStream line;
    line.receive(escaped.data(), escaped.size(), back, replies);
    fuzz::require(back == std::vector<uint8_t>(data, data + size) && replies.empty(),
                  "the line's data does not come back whole");
    return 0;
}
