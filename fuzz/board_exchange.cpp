// The receive path on whatever the LocalBoard answers: Read Configuration then Write
// Configuration through the simulated bridge, each answer given by the fuzzer, on a clock that
// the pauses move instead of sleeping. Every exchange ends, and the tables keep ports 0..7.
//
// Input: a byte of readiness (the queue check from which an answer shows), a byte of line
// faults (bits 0-1 the queue status, bits 2-4 which read comes up one byte short, bit 5 the
// write starts from the form the read left instead of a valid one), then for each of the four
// exchanges a length byte and that many bytes of answer.

#include <algorithm>

#include "config/board_rebuild.h"
#include "config/headless_setup.h"
#include "fuzz_support.h"
#include "link/board_protocol.h"
#include "sim/simulated_bridge.h"

using namespace tivra;

namespace {

class ClockPause final : public Pause {
  public:
    explicit ClockPause(uint64_t& now) : now_(now) {}
    void pause(uint32_t milliseconds) override { now_ += milliseconds; }

  private:
    uint64_t& now_;
};

std::vector<uint8_t> take(const uint8_t*& data, size_t& size, size_t count) {
    count = std::min(count, size);
    std::vector<uint8_t> bytes(data, data + count);
    data += count;
    size -= count;
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    uint64_t now = 0;
    sim::BoardPair boards;
    boards.setClock([&now] { return now; });
    SimulatedBridge bridge(boards);
    sim::SimSettings& settings = boards.settings;
    settings.readyAfterChecks = data[0];
    settings.queueStatus = data[1] & 3u;
    settings.shortReadOccurrence = (data[1] >> 2) & 7u;
    const bool writeWhatWasRead = data[1] & 0x20;
    data += 2;
    size -= 2;
    auto nextAnswer = [&] {
        const size_t length = size > 0 ? take(data, size, 1)[0] : 0;
        settings.answerWith = take(data, size, length);
    };

    ProgramState state;
    const MuxConfiguration valid = sim::BoardPair::factoryConfiguration();
    HeadlessForm form = headlessFormShowing(valid);
    fuzz::NotingOperator ui;
    ClockPause pause(now);
    BoardContext context{state, form, ui, bridge, pause};
    nextAnswer();
    readBoardConfiguration(context, BoardCommand::ReadLocal);
    nextAnswer();
    readBoardConfiguration(context, BoardCommand::ReadRemote);
    configurationFromBoards(state, form, ui);
    for (size_t k = 0; k < PORT_COUNT; ++k)
        fuzz::require(state.portRouting[k] >= 0 && state.portRouting[k] <= 7 &&
                          state.channelPortMap[k] >= 0 && state.channelPortMap[k] <= 7,
                      "a read stored a port outside 0..7");

    if (!writeWhatWasRead) form = headlessFormShowing(valid);
    nextAnswer();
    writeBoardConfiguration(context, BoardCommand::WriteLocal);
    nextAnswer();
    writeBoardConfiguration(context, BoardCommand::WriteRemote);
    closeBoardLink(bridge, state.link);
    return 0;
}
