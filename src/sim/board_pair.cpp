#include "sim/board_pair.h"

#include <algorithm>
#include <chrono>

#include "link/wire_format.h"

namespace tivra::sim {

namespace {

constexpr uint8_t READ_LOCAL = static_cast<uint8_t>(BoardCommand::ReadLocal);
constexpr uint8_t READ_REMOTE = static_cast<uint8_t>(BoardCommand::ReadRemote);
constexpr uint8_t WRITE_REMOTE = static_cast<uint8_t>(BoardCommand::WriteRemote);
constexpr uint8_t WRITE_LOCAL = static_cast<uint8_t>(BoardCommand::WriteLocal);
constexpr uint8_t REFUSED = 0x00;  // second byte of a refused write's answer
constexpr uint8_t OUTSIDE_PORT = 8;
constexpr uint64_t INTER_BYTE_TIMEOUT_MS = 100;
constexpr size_t LIST_ITEM = 1 + PORT_COUNT;

uint64_t steadyMilliseconds() {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

uint8_t low8(int32_t value) {
    return static_cast<uint8_t>(static_cast<uint32_t>(value) & 0xFF);
}

void appendPort(std::vector<uint8_t>& out, uint8_t port, const PortSettings& s) {
    const auto baud = static_cast<uint32_t>(s.baudrate);
    const auto chunk = static_cast<uint16_t>(s.chunksize);
    const uint8_t bytes[] = {TAG_ENABLED,
                             port,
                             low8(s.enabled),
                             TAG_SENSOR_TYPE,
                             port,
                             low8(s.sensorType),
                             TAG_BAUDRATE,
                             port,
                             static_cast<uint8_t>(baud >> 24),
                             static_cast<uint8_t>(baud >> 16),
                             static_cast<uint8_t>(baud >> 8),
                             static_cast<uint8_t>(baud),
                             TAG_MODE,
                             port,
                             low8(s.mode),
                             TAG_PRIORITY,
                             port,
                             low8(s.priority),
                             TAG_CHUNKSIZE,
                             port,
                             static_cast<uint8_t>(chunk >> 8),
                             static_cast<uint8_t>(chunk)};
    out.insert(out.end(), std::begin(bytes), std::end(bytes));
}

void appendList(std::vector<uint8_t>& out, uint8_t tag, const std::array<int32_t, 8>& values) {
    out.push_back(tag);
    for (int32_t v : values) out.push_back(low8(v));
}

// The board takes write items in the same forms as a reply carries them, and only whole.
bool applyItems(const std::vector<uint8_t>& items, PortTable& ports, PortRouting& routing,
                ChannelPortMap& channelPorts) {
    return decodeConfigurationReply(items.data(), items.size(), ports, routing, channelPorts) ==
           ReplyProblem::None;
}

}  // namespace

BoardPair::BoardPair() : clock_(steadyMilliseconds) {
    loadConfiguration(factoryConfiguration());
}

MuxConfiguration BoardPair::factoryConfiguration() {
    MuxConfiguration configuration;
    for (int n = 1; n <= CHANNEL_COUNT; ++n) configuration.channel(n) = DefaultChannelConfig(n);
    return configuration;
}

void BoardPair::loadConfiguration(const MuxConfiguration& configuration) {
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        const ChannelConfig& c = configuration.channel(n);
        const bool localOk = c.localPort >= 0 && c.localPort < PORT_COUNT;
        const bool remoteOk = c.remotePort >= 0 && c.remotePort < PORT_COUNT;
        if (localOk)
            localBoard.ports[static_cast<size_t>(c.localPort)] = {
                c.enabled, c.sensorType, c.localBaudrate, c.localMode, c.priority, c.chunksize};
        if (remoteOk)
            remoteBoard.ports[static_cast<size_t>(c.remotePort)] = {
                c.enabled, c.sensorType, c.remoteBaudrate, c.remoteMode, c.priority, c.chunksize};
        if (localOk) {
            if (remoteOk) localBoard.routing[static_cast<size_t>(c.localPort)] = c.remotePort;
            localBoard.channelPorts[static_cast<size_t>(n - 1)] = c.localPort;
        }
    }
}

bool BoardPair::faultApplies(uint8_t command) const {
    return !settings.faultsOnlyFor || *settings.faultsOnlyFor == command;
}

void BoardPair::receive(const uint8_t* data, size_t size) {
    const uint64_t now = clock_();
    // A frame left half-sent for longer than the board's inter-byte time-out is dropped.
    if (parser_.inFrame() && now - lastByteAt_ > INTER_BYTE_TIMEOUT_MS) parser_.reset();
    lastByteAt_ = now;
    Request request;
    for (size_t i = 0; i < size; ++i)
        if (parser_.feed(data[i], request)) handle(request);
}

void BoardPair::handle(const Request& request) {
    requests.add(request);
    const uint8_t command = request.command;
    if (command == READ_LOCAL || command == READ_REMOTE) {
        if (request.length != READ_REQUEST_LENGTH) return;
        answer(command, configurationReply(command));
    } else if (command == WRITE_LOCAL || command == WRITE_REMOTE) {
        if (request.length != WRITE_FRAME_LENGTH) return;
        const bool refuse = faultApplies(command) && settings.negativeAcknowledge;
        const bool taken = !refuse && takeWrite(command, request.items);
        answer(command, {FRAME_MARK_1, taken ? FRAME_MARK_2 : REFUSED});
    }
}

std::vector<uint8_t> BoardPair::configurationReply(uint8_t command) const {
    std::vector<uint8_t> items;
    const PortTable& ports = command == READ_LOCAL ? localBoard.ports : remoteBoard.ports;
    for (uint8_t p = 0; p < PORT_COUNT; ++p) appendPort(items, p, ports[p]);
    if (command == READ_LOCAL) {
        appendList(items, TAG_ROUTING, localBoard.routing);
        appendList(items, TAG_CHANNEL_PORTS, localBoard.channelPorts);
    }

    uint8_t head1 = FRAME_MARK_1;
    uint8_t head2 = FRAME_MARK_2;
    size_t length = items.size();
    switch (faultApplies(command) ? settings.replyFault : ReplyFault::None) {
        case ReplyFault::None:
            break;
        case ReplyFault::BadHead:
            head1 = FRAME_MARK_2;
            head2 = FRAME_MARK_1;
            break;
        case ReplyFault::ItemCutShort:
            items.pop_back();
            length = items.size();
            break;
        case ReplyFault::UnknownTag:
            items.insert(items.begin(), {settings.unknownTag, 0x00, 0x00});
            length = items.size();
            break;
        case ReplyFault::PortOutOfRange:
            items[1] = OUTSIDE_PORT;
            break;
        case ReplyFault::RoutingOutOfRange:
        case ReplyFault::ChannelPortOutOfRange: {
            const bool routing = settings.replyFault == ReplyFault::RoutingOutOfRange;
            if (command == READ_LOCAL) {
                // Routing follows the eight port blocks, the channel ports follow the routing.
                const size_t item = PORT_COUNT * PORT_BLOCK_SIZE + (routing ? 0 : LIST_ITEM);
                items[item + 1] = OUTSIDE_PORT;
            } else {
                appendList(items, routing ? TAG_ROUTING : TAG_CHANNEL_PORTS,
                           {OUTSIDE_PORT, 1, 2, 3, 4, 5, 6, 7});
                length = items.size();
            }
            break;
        }
        case ReplyFault::LengthBeyondItems:
            length = std::min<size_t>(items.size() + 10, 255);
            break;
        case ReplyFault::Empty:
            items.clear();
            length = 0;
            break;
    }

    items.insert(items.begin(), {head1, head2, static_cast<uint8_t>(length)});
    return items;
}

bool BoardPair::takeWrite(uint8_t command, const std::vector<uint8_t>& items) {
    if (command == WRITE_LOCAL)
        return applyItems(items, localBoard.ports, localBoard.routing, localBoard.channelPorts);
    // The RemoteBoard holds no routing: those items are read and dropped.
    PortRouting routing = localBoard.routing;
    ChannelPortMap channelPorts = localBoard.channelPorts;
    if (!applyItems(items, remoteBoard.ports, routing, channelPorts)) return false;
    if (faultApplies(command)) {
        for (const StoredRate& kept : settings.remoteStoresRates)
            remoteBoard.ports[kept.port % PORT_COUNT].baudrate = kept.baudrate;
        if (settings.remoteKeepsSensorType)
            for (auto& port : remoteBoard.ports) port.sensorType = *settings.remoteKeepsSensorType;
    }
    return true;
}

void BoardPair::answer(uint8_t command, std::vector<uint8_t> bytes) {
    pending_.reset();
    const bool faulty = faultApplies(command);
    if (faulty && !settings.answers) return;
    if (faulty && settings.answerWith) bytes = *settings.answerWith;
    if (faulty) bytes.insert(bytes.end(), settings.strayBytes.begin(), settings.strayBytes.end());
    PendingAnswer next;
    next.bytes = std::move(bytes);
    next.checksNeeded = faulty ? settings.readyAfterChecks : 0;
    next.dueAt = clock_() + (faulty ? settings.readyAfterMs : 0);
    pending_ = std::move(next);
    deliverDue();
}

void BoardPair::deliverDue() {
    if (!pending_) return;
    if (countQueueChecks_ && pending_->checksSeen < pending_->checksNeeded) return;
    if (clock_() < pending_->dueAt) return;
    host_.insert(host_.end(), pending_->bytes.begin(), pending_->bytes.end());
    pending_.reset();
}

void BoardPair::noteQueueCheck() {
    if (pending_) ++pending_->checksSeen;
    deliverDue();
}

size_t BoardPair::waiting() {
    deliverDue();
    return host_.size();
}

size_t BoardPair::take(uint8_t* out, size_t max) {
    deliverDue();
    const size_t n = std::min(max, host_.size());
    std::copy_n(host_.begin(), n, out);
    host_.erase(host_.begin(), host_.begin() + static_cast<std::ptrdiff_t>(n));
    return n;
}

void BoardPair::flushHostQueue() {
    host_.clear();
}

void BoardPair::putInHostQueue(const std::vector<uint8_t>& bytes) {
    host_.insert(host_.end(), bytes.begin(), bytes.end());
}

}  // namespace tivra::sim
