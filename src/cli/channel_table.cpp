#include "cli/channel_table.h"

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "cli/text_columns.h"
#include "config/value_lists.h"

namespace tivra::cli {

namespace {

template <size_t N>
std::string entryText(const std::array<std::string_view, N>& list, int position) {
    if (position == -1) return "-";
    if (position < 0 || position >= static_cast<int>(N))
        return "?(" + std::to_string(position) + ")";
    return std::string(list[static_cast<size_t>(position)]);
}

}  // namespace

std::string channelTable(const MuxConfiguration& configuration) {
    using Row = std::vector<std::string>;
    std::vector<Row> rows = {{"Channel", "Enabled", "Sensor", "Local", "Baudrate", "Mode", "Remote",
                              "Baudrate", "Mode", "Priority", "Chunksize"}};
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        const ChannelConfig& c = configuration.channel(n);
        rows.push_back({std::to_string(n), c.enabled != 0 ? "yes" : "no",
                        entryText(SENSOR_TYPES, c.sensorType), entryText(PORT_NAMES, c.localPort),
                        std::to_string(c.localBaudrate), entryText(MODES, c.localMode),
                        entryText(PORT_NAMES, c.remotePort), std::to_string(c.remoteBaudrate),
                        entryText(MODES, c.remoteMode), std::to_string(c.priority),
                        std::to_string(c.chunksize)});
    }
    return alignedColumns(rows);
}

}  // namespace tivra::cli
