#include "sim/board_pair.h"

#include <algorithm>
#include <chrono>

namespace tivra::sim {

namespace {

constexpr uint8_t READ_LOCAL = 0;
constexpr uint8_t READ_REMOTE = 1;
constexpr uint8_t WRITE_REMOTE = 2;
constexpr uint8_t WRITE_LOCAL = 3;
constexpr uint8_t READ_LENGTH = 5;
constexpr uint8_t WRITE_LENGTH = 199;
constexpr uint8_t MARK_1 = 0x55;
constexpr uint8_t MARK_2 = 0xAA;
constexpr uint8_t REFUSED = 0x00;  // second byte of a refused write's answer
constexpr uint8_t OUTSIDE_PORT = 8;
constexpr uint64_t INTER_BYTE_TIMEOUT_MS = 100;
constexpr size_t PORT_BLOCK = 22;
constexpr size_t LIST_ITEM = 9;

enum : uint8_t {
    TAG_ENABLED = 0x00,
    TAG_SENSOR_TYPE = 0x01,
    TAG_BAUDRATE = 0x03,
    TAG_MODE = 0x04,
    TAG_PRIORITY = 0x05,
    TAG_CHUNKSIZE = 0x06,
    TAG_ROUTING = 0x07,
    TAG_CHANNEL_PORTS = 0x08,
};

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

// The board's reading of write items: the same item forms as a reply. False on anything it
// cannot take, leaving the tables as they were.
bool applyItems(const std::vector<uint8_t>& items, PortTable& ports, PortRouting& routing,
                ChannelPortMap& channelPorts) {
    PortTable p = ports;
    PortRouting r = routing;
    ChannelPortMap c = channelPorts;
    size_t i = 0;
    while (i < items.size()) {
        const uint8_t tag = items[i];
        const size_t left = items.size() - i;
        if (tag == TAG_ROUTING || tag == TAG_CHANNEL_PORTS) {
            if (left < LIST_ITEM) return false;
            auto& list = tag == TAG_ROUTING ? r : c;
            for (size_t k = 0; k < 8; ++k) {
                if (items[i + 1 + k] >= PORT_COUNT) return false;
                list[k] = items[i + 1 + k];
            }
            i += LIST_ITEM;
            continue;
        }
        size_t size = 0;
        switch (tag) {
            case TAG_ENABLED:
            case TAG_SENSOR_TYPE:
            case TAG_MODE:
            case TAG_PRIORITY:
                size = 3;
                break;
            case TAG_BAUDRATE:
                size = 6;
                break;
            case TAG_CHUNKSIZE:
                size = 4;
                break;
            default:
                return false;
        }
        if (left < size || items[i + 1] >= PORT_COUNT) return false;
        PortSettings& s = p[items[i + 1]];
        const uint8_t* v = &items[i + 2];
        switch (tag) {
            case TAG_ENABLED:
                s.enabled = static_cast<int8_t>(v[0]);
                break;
            case TAG_SENSOR_TYPE:
                s.sensorType = static_cast<int8_t>(v[0]);
                break;
            case TAG_MODE:
                s.mode = static_cast<int8_t>(v[0]);
                break;
            case TAG_PRIORITY:
                s.priority = static_cast<int8_t>(v[0]);
                break;
            case TAG_BAUDRATE:
                s.baudrate = static_cast<int32_t>((uint32_t{v[0]} << 24) | (uint32_t{v[1]} << 16) |
                                                  (uint32_t{v[2]} << 8) | uint32_t{v[3]});
                break;
            case TAG_CHUNKSIZE:
                s.chunksize = static_cast<int16_t>(static_cast<uint16_t>((v[0] << 8) | v[1]));
                break;
            default:
                break;
        }
        i += size;
    }
    ports = p;
    routing = r;
    channelPorts = c;
    return true;
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
    requests.push_back(request);
    const uint8_t command = request.command;
    if (command == READ_LOCAL || command == READ_REMOTE) {
        if (request.length != READ_LENGTH) return;
        answer(command, configurationReply(command));
    } else if (command == WRITE_LOCAL || command == WRITE_REMOTE) {
        if (request.length != WRITE_LENGTH) return;
        const bool refuse = faultApplies(command) && settings.negativeAcknowledge;
        const bool taken = !refuse && takeWrite(command, request.items);
        answer(command, {MARK_1, taken ? MARK_2 : REFUSED});
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

    uint8_t head1 = MARK_1;
    uint8_t head2 = MARK_2;
    size_t length = items.size();
    switch (faultApplies(command) ? settings.replyFault : ReplyFault::None) {
        case ReplyFault::None:
            break;
        case ReplyFault::BadHead:
            head1 = MARK_2;
            head2 = MARK_1;
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
                const size_t item = PORT_COUNT * PORT_BLOCK + (routing ? 0 : LIST_ITEM);
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

    std::vector<uint8_t> reply{head1, head2, static_cast<uint8_t>(length)};
    reply.insert(reply.end(), items.begin(), items.end());
    return reply;
}

bool BoardPair::takeWrite(uint8_t command, const std::vector<uint8_t>& items) {
    if (command == WRITE_LOCAL)
        return applyItems(items, localBoard.ports, localBoard.routing, localBoard.channelPorts);
    // The RemoteBoard holds no routing: those items are read and dropped.
    PortRouting routing = localBoard.routing;
    ChannelPortMap channelPorts = localBoard.channelPorts;
    return applyItems(items, remoteBoard.ports, routing, channelPorts);
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
