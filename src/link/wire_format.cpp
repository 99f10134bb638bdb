#include "link/wire_format.h"

namespace tivra {

namespace {

// Appends the bytes after the start marks, escaping as it goes; counts logical bytes only.
class FrameWriter {
  public:
    FrameWriter() : bytes_{0x00, 0x00, FRAME_MARK_1, FRAME_MARK_2}, logical_(4) {}

    void put(uint8_t byte) {
        if (byte == FRAME_ESCAPE || byte == FRAME_MARK_2) bytes_.push_back(FRAME_ESCAPE);
        bytes_.push_back(byte);
        ++logical_;
    }
    void putItem(uint8_t tag, uint8_t port, uint8_t value) {
        put(tag);
        put(port);
        put(value);
    }

    std::vector<uint8_t> finish() {
        bytes_[0] = 0x00;
        bytes_[1] = static_cast<uint8_t>(logical_ & 0xFF);
        return std::move(bytes_);
    }

  private:
    std::vector<uint8_t> bytes_;
    size_t logical_;
};

uint8_t low8(int32_t value) {
    return static_cast<uint8_t>(static_cast<uint32_t>(value) & 0xFF);
}

void putPortBlock(FrameWriter& out, uint8_t port, const PortSettings& settings) {
    const auto baud = static_cast<uint32_t>(settings.baudrate);
    const auto chunk = static_cast<uint16_t>(settings.chunksize);
    out.putItem(TAG_ENABLED, port, low8(settings.enabled));
    out.putItem(TAG_SENSOR_TYPE, port, low8(settings.sensorType));
    out.put(TAG_BAUDRATE);
    out.put(port);
    out.put(static_cast<uint8_t>(baud >> 24));
    out.put(static_cast<uint8_t>(baud >> 16));
    out.put(static_cast<uint8_t>(baud >> 8));
    out.put(static_cast<uint8_t>(baud));
    out.putItem(TAG_MODE, port, low8(settings.mode));
    out.putItem(TAG_PRIORITY, port, low8(settings.priority));
    out.put(TAG_CHUNKSIZE);
    out.put(port);
    out.put(static_cast<uint8_t>(chunk >> 8));
    out.put(static_cast<uint8_t>(chunk));
}

bool isPort(uint8_t value) {
    return value < PORT_COUNT;
}

}  // namespace

std::vector<uint8_t> encodeBoardFrame(BoardCommand command, const ProgramState& state) {
    FrameWriter out;
    out.put(static_cast<uint8_t>(command));
    if (isWriteCommand(command)) {
        const PortTable& source =
            command == BoardCommand::WriteRemote ? state.remotePortTable : state.localPortTable;
        for (uint8_t port = 0; port < PORT_COUNT; ++port) putPortBlock(out, port, source[port]);
        out.put(TAG_ROUTING);
        for (int32_t remote : state.portRouting) out.put(low8(remote));
        // The channel ports come from the record itself, not from what a read last reported.
        out.put(TAG_CHANNEL_PORTS);
        for (const ChannelConfig& channel : state.configuration.channels)
            out.put(low8(channel.localPort));
    }
    return out.finish();
}

ReplyProblem decodeConfigurationReply(const uint8_t* items, size_t count, PortTable& target,
                                      PortRouting& routing, ChannelPortMap& channelPorts) {
    // Work on copies so that a refused reply leaves every table untouched.
    PortTable ports = target;
    PortRouting newRouting = routing;
    ChannelPortMap newChannelPorts = channelPorts;

    size_t i = 0;
    while (i < count) {
        const uint8_t tag = items[i];
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
            case TAG_ROUTING:
            case TAG_CHANNEL_PORTS:
                size = 1 + PORT_COUNT;
                break;
            default:
                return ReplyProblem::UnknownTag;
        }
        if (count - i < size) return ReplyProblem::ItemCutShort;
        const uint8_t* item = items + i;
        i += size;

        if (tag == TAG_ROUTING || tag == TAG_CHANNEL_PORTS) {
            auto& table = tag == TAG_ROUTING ? newRouting : newChannelPorts;
            for (size_t k = 0; k < PORT_COUNT; ++k) {
                if (!isPort(item[1 + k])) return ReplyProblem::ValueOutOfRange;
                table[k] = item[1 + k];
            }
            continue;
        }
        if (!isPort(item[1])) return ReplyProblem::PortOutOfRange;
        PortSettings& port = ports[item[1]];
        const auto v = static_cast<int8_t>(item[2]);
        switch (tag) {
            case TAG_ENABLED:
                port.enabled = v;
                break;
            case TAG_SENSOR_TYPE:
                port.sensorType = v;
                break;
            case TAG_MODE:
                port.mode = v;
                break;
            case TAG_PRIORITY:
                port.priority = v;
                break;
            case TAG_BAUDRATE:
                port.baudrate =
                    static_cast<int32_t>((uint32_t{item[2]} << 24) | (uint32_t{item[3]} << 16) |
                                         (uint32_t{item[4]} << 8) | uint32_t{item[5]});
                break;
            case TAG_CHUNKSIZE:
                port.chunksize =
                    static_cast<int16_t>(static_cast<uint16_t>((item[2] << 8) | item[3]));
                break;
            default:
                break;
        }
    }

    target = ports;
    routing = newRouting;
    channelPorts = newChannelPorts;
    return ReplyProblem::None;
}

}  // namespace tivra
