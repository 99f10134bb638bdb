// The boards' side on any byte stream from the PC: every request found has as many item bytes
// as its length byte says, and the board pair handles whatever it is sent.

#include "fuzz_support.h"
#include "link/wire_format.h"
#include "sim/board_pair.h"

using namespace tivra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    sim::RequestParser parser;
    sim::Request request;
    for (size_t i = 0; i < size; ++i)
        if (parser.feed(data[i], request))
            fuzz::require(request.length >= READ_REQUEST_LENGTH &&
                              request.items.size() == request.length - 5u,
                          "a request's items disagree with its length");

    sim::BoardPair boards;
    boards.setClock([] { return uint64_t{0}; });
    boards.receive(data, size);
    std::vector<uint8_t> answer(boards.waiting());
    fuzz::require(boards.take(answer.data(), answer.size()) == answer.size(), "answer lost");
    return 0;
}
