#pragma once
// The bytes exchanged with the boards: request frames (PC to LocalBoard), configuration replies
// and write acknowledgements (LocalBoard to PC). Multi-byte values travel most significant byte
// first.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "config/board_tables.h"
#include "config/program_state.h"
#include "link/board_command.h"

namespace tivra {

constexpr uint8_t FRAME_MARK_1 = 0x55;
constexpr uint8_t FRAME_MARK_2 = 0xAA;
constexpr uint8_t FRAME_ESCAPE = 0x33;  // precedes every 0x33 and 0xAA after the start marks

constexpr uint8_t READ_REQUEST_LENGTH = 5;
constexpr uint8_t WRITE_FRAME_LENGTH = 199;  // 0xC7: 5 + 8 * 22 + 9 + 9
constexpr size_t MAX_FRAME_SIZE = 394;       // a write frame with every item byte escaped
constexpr size_t PORT_BLOCK_SIZE = 22;
constexpr size_t REPLY_HEAD_SIZE = 3;  // 55 AA N
constexpr size_t ACKNOWLEDGE_SIZE = 2;

// Item tags. 0x02 is not used in either direction.
enum ItemTag : uint8_t {
    TAG_ENABLED = 0x00,
    TAG_SENSOR_TYPE = 0x01,
    TAG_BAUDRATE = 0x03,
    TAG_MODE = 0x04,
    TAG_PRIORITY = 0x05,
    TAG_CHUNKSIZE = 0x06,
    TAG_ROUTING = 0x07,
    TAG_CHANNEL_PORTS = 0x08,
};

// The request for a command, escaped and ready to send: 00 05 55 AA c for a read, the 199-byte
// frame (plus one byte per escape) for a write. A write takes its port blocks from
// remotePortTable for WriteRemote and localPortTable otherwise, the routing item from
// portRouting and the channel-ports item from the localPort of each channel of the record.
std::vector<uint8_t> encodeBoardFrame(BoardCommand command, const ProgramState& state);

// Why a configuration reply was refused.
enum class ReplyProblem {
    None,
    UnknownTag,       // 0x02 or anything above 0x08
    PortOutOfRange,   // an item's port is not 0..7
    ValueOutOfRange,  // a routing or channel-port entry is not 0..7
    ItemCutShort,     // the item bytes end inside an item
};

// Decodes the N item bytes of a configuration reply. Items apply in order of arrival (a later
// item for the same field wins). The tables change only when every item is well formed;
// otherwise they are left exactly as they were and the problem is returned.
ReplyProblem decodeConfigurationReply(const uint8_t* items, size_t count, PortTable& target,
                                      PortRouting& routing, ChannelPortMap& channelPorts);

}  // namespace tivra
