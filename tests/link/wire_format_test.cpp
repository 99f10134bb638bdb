// The bytes of write frames (against tests/data/link/frames.txt) and the reading of replies.

#include "link/wire_format.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <tuple>

#include "link_bench.h"

namespace tivra::test {
namespace {

TEST(WireFormat, WriteFramesAreTheGoldenOnes) {
    std::map<std::string, ProgramState> states;
    states["zero"];
    // Every field distinct, most significant byte first; a read's channel ports never go out.
    ProgramState& mixed = states["mixed"];
    mixed.localPortTable[2] = {1, 4, 0x0001C200, 1, 3, 0x0190};
    mixed.remotePortTable[2] = {0, 2, 9600, 0, 7, 5};
    mixed.portRouting = {7, 6, 5, 4, 3, 2, 1, 0};
    for (int n = 1; n <= 8; ++n) mixed.configuration.channel(n).localPort = int8_t(8 - n);
    mixed.channelPortMap = {1, 1, 1, 1, 1, 1, 1, 1};
    // Escapes lengthen the frame but not its length byte.
    for (const int16_t chunksize : {51, 170, 0x33AA, 0x3400})
        states["chunksize " + std::to_string(chunksize)].localPortTable[3].chunksize = chunksize;
    // Every 0xAA and 0x33 is escaped wherever it stands, but in tags and port numbers.
    ProgramState& escaped = states["escaped"];
    escaped.localPortTable.fill(
        {int8_t(0xAA - 256), 0x33, int32_t(0xAA33AA33), 0x33, int8_t(0xAA - 256), int16_t(0x33AA)});
    escaped.remotePortTable = escaped.localPortTable;
    escaped.portRouting.fill(0xAA);
    for (auto& c : escaped.configuration.channels) c.localPort = 0x33;

    std::set<std::string> given;  // every state has its L frame
    for (const auto& [name, frame] : dataRows("link/frames.txt")) {
        ASSERT_TRUE(name.ends_with(" L") || name.ends_with(" R")) << name;
        const auto command =
            name.ends_with(" L") ? BoardCommand::WriteLocal : BoardCommand::WriteRemote;
        EXPECT_EQ(hex(encodeBoardFrame(command, states.at(name.substr(0, name.size() - 2)))), frame)
            << name;
        given.insert(name);
    }
    for (const auto& [name, state] : states) EXPECT_TRUE(given.contains(name + " L")) << name;
    // The longest frame fits the buffer the exchanges reserve for it.
    EXPECT_LE(encodeBoardFrame(BoardCommand::WriteRemote, escaped).size(), MAX_FRAME_SIZE);
}

// What decoding changed in tables filled with markers: "port P: fields" for each port, then the
// routing and the channel ports, each only where it differs.
std::string changes(const ProgramState& decoded) {
    ProgramState markers;
    fillTablesWithMarkers(markers);
    std::ostringstream out;
    for (size_t p = 0; p < PORT_COUNT; ++p)
        if (const PortSettings& s = decoded.localPortTable[p]; s != markers.localPortTable[p])
            out << "; port " << p << ": " << int(s.enabled) << " " << int(s.sensorType) << " "
                << s.baudrate << " " << int(s.mode) << " " << int(s.priority) << " " << s.chunksize;
    for (const auto& [name, table, marked] :
         {std::tuple("routing", decoded.portRouting, markers.portRouting),
          std::tuple("channel ports", decoded.channelPortMap, markers.channelPortMap)}) {
        if (table == marked) continue;
        out << "; " << name << ":";
        for (const int32_t port : table) out << " " << port;
    }
    return out.str().empty() ? "nothing" : out.str().substr(2);
}

TEST(WireFormat, DecodesWholeRepliesOnlyLaterItemsWinning) {
    const char* const PROBLEMS[] = {"", "UnknownTag", "PortOutOfRange", "ValueOutOfRange",
                                    "ItemCutShort"};
    for (const auto& [items, expected] : dataRows("link/replies.txt", " =>")) {
        const std::vector<uint8_t> bytes = bytesOf(items);
        ProgramState decoded;
        fillTablesWithMarkers(decoded);
        const ReplyProblem problem =
            decodeConfigurationReply(bytes.data(), bytes.size(), decoded.localPortTable,
                                     decoded.portRouting, decoded.channelPortMap);
        EXPECT_EQ(problem == ReplyProblem::None ? changes(decoded)
                                                : PROBLEMS[int(problem)] + (" " + changes(decoded)),
                  expected)
            << items;
    }
}

}  // namespace
}  // namespace tivra::test
