// The board reply decoder on any item bytes: a reply is taken whole, with every routing and
// channel-port entry a port 0..7, or refused with the tables untouched. What is taken, sent
// back in a write frame and found again by the boards' parser, decodes to the same tables.

#include "fuzz_support.h"
#include "link/wire_format.h"
#include "sim/request_parser.h"

using namespace tivra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ProgramState state;
    state.localPortTable.fill({1, 2, 3, 4, 5, 6});
    for (size_t k = 0; k < PORT_COUNT; ++k) {
        state.portRouting[k] = int32_t(7 - k);
        state.channelPortMap[k] = int32_t(k);
    }
    const ProgramState untouched = state;
    const ReplyProblem problem = decodeConfigurationReply(data, size, state.localPortTable,
                                                          state.portRouting, state.channelPortMap);
    if (problem != ReplyProblem::None) {
        fuzz::require(state.localPortTable == untouched.localPortTable &&
                          state.portRouting == untouched.portRouting &&
                          state.channelPortMap == untouched.channelPortMap,
                      "a refused reply changed the tables");
        return 0;
    }
    for (size_t k = 0; k < PORT_COUNT; ++k) {
        fuzz::require(state.portRouting[k] >= 0 && state.portRouting[k] <= 7, "routing entry");
        fuzz::require(state.channelPortMap[k] >= 0 && state.channelPortMap[k] <= 7, "channel port");
        // A write frame takes the channel ports from the record.
        state.configuration.channels[k].localPort = static_cast<int8_t>(state.channelPortMap[k]);
    }

    const std::vector<uint8_t> frame = encodeBoardFrame(BoardCommand::WriteLocal, state);
    sim::RequestParser parser;
    sim::Request request;
    size_t found = 0;
    for (uint8_t byte : frame) found += parser.feed(byte, request) ? 1 : 0;
    fuzz::require(found == 1 && request.length == WRITE_FRAME_LENGTH, "the frame is not found");
    ProgramState back;
    fuzz::require(
        decodeConfigurationReply(request.items.data(), request.items.size(), back.localPortTable,
                                 back.portRouting, back.channelPortMap) == ReplyProblem::None &&
            back.localPortTable == state.localPortTable && back.portRouting == state.portRouting &&
            back.channelPortMap == state.channelPortMap,
        "the tables do not survive a write frame");
    return 0;
}
