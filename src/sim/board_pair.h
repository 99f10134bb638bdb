#pragma once
// The simulated multiplexer: a LocalBoard and a RemoteBoard as seen from the PC end of the
// LocalBoard's serial line. Bytes from the PC go in through receive(); the answers come back
// through waiting()/take() once they are due. No threads, no system calls: the in-process
// bridge, the pseudo-terminal server and the Windows stand-in library all drive it the same way.
//
// What the boards do:
//   00 05 55 AA 00  ReadLocal   -> 55 AA N, items 00..06 for ports 0..7, then 07 and 08
//   00 05 55 AA 01  ReadRemote  -> 55 AA N, items 00..06 for ports 0..7
//   00 C7 55 AA 03  WriteLocal  -> the port blocks, routing and channel ports taken; 55 AA
//   00 C7 55 AA 02  WriteRemote -> the port blocks taken (routing and channel ports are the
//                                  LocalBoard's and are ignored); 55 AA
// A write whose items do not parse is refused with 55 00 and changes nothing. A frame with the
// wrong length byte for its command, or an unknown command, is not answered. A new request
// supersedes an answer that has not yet been sent.
//
// Not thread-safe: one thread drives a pair.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "config/board_tables.h"
#include "config/channel_config.h"
#include "sim/request_log.h"
#include "sim/request_parser.h"
#include "sim/sim_settings.h"

namespace tivra::sim {

struct LocalBoard {
    PortTable ports{};
    PortRouting routing{};          // remote port joined to each local port
    ChannelPortMap channelPorts{};  // [channel - 1] -> local port
};

struct RemoteBoard {
    PortTable ports{};
};

class BoardPair {
  public:
    // Milliseconds on any steady scale; tests pass a virtual clock.
    using Clock = std::function<uint64_t()>;

    // Starts from the factory configuration (every channel's defaults) on the steady clock.
    BoardPair();

    SimSettings settings;
    LocalBoard localBoard;
    RemoteBoard remoteBoard;

    // Puts a configuration into both boards the way a write of it would.
    void loadConfiguration(const MuxConfiguration& configuration);
    // Channel n (1..8): off, joining local port n - 1 to remote port n - 1.
    static MuxConfiguration factoryConfiguration();

    void setClock(Clock clock) { clock_ = std::move(clock); }
    // false: answers are due by time alone (a serial line has no queue checks).
    void setCountQueueChecks(bool count) { countQueueChecks_ = count; }

    // --- the PC end of the line -------------------------------------------------------
    void receive(const uint8_t* data, size_t size);
    // One look at the receive queue by the PC's bridge library.
    void noteQueueCheck();
    // Bytes that have reached the PC and wait to be read.
    size_t waiting();
    // Takes up to max waiting bytes; returns how many.
    size_t take(uint8_t* out, size_t max);
    // The PC's bridge emptied its receive buffer.
    void flushHostQueue();
    // An answer is prepared but not yet due.
    bool answerPending() const { return pending_.has_value(); }
    // Puts bytes straight into the PC's receive queue (line noise, leftovers).
    void putInHostQueue(const std::vector<uint8_t>& bytes);

    // --- what happened ----------------------------------------------------------------
    RequestLog requests;  // the well-framed requests, in order (the last few hundred kept)
    uint32_t malformedFrames() const { return parser_.malformedFrames(); }

  private:
    struct PendingAnswer {
        std::vector<uint8_t> bytes;
        uint32_t checksNeeded = 0;
        uint32_t checksSeen = 0;
        uint64_t dueAt = 0;
    };

    void handle(const Request& request);
    bool faultApplies(uint8_t command) const;
    std::vector<uint8_t> configurationReply(uint8_t command) const;
    bool takeWrite(uint8_t command, const std::vector<uint8_t>& items);
    void answer(uint8_t command, std::vector<uint8_t> bytes);
    void deliverDue();

    Clock clock_;
    bool countQueueChecks_ = true;
    RequestParser parser_;
    uint64_t lastByteAt_ = 0;
    std::optional<PendingAnswer> pending_;
    std::deque<uint8_t> host_;
};

}  // namespace tivra::sim
