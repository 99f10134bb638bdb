#pragma once
// Every text the configuration editor shows the operator, in one place.

#include <string>
#include <string_view>

namespace tivra {

inline constexpr std::string_view ALERT_TITLE = "Alert";
inline constexpr std::string_view BOARDS_DISAGREE_TEXT =
    "Configuration problem - reconfigure system";

// The per-channel checks of validateConfiguration, in the order they run.
enum class ChannelProblem { Sensor, Port, Baudrate, Mode, Priority, Chunksize };

constexpr std::string_view channelProblemTitle(ChannelProblem problem) {
    switch (problem) {
        case ChannelProblem::Sensor:
            return "Invalid Sensor";
        case ChannelProblem::Port:
            return "Invalid Port";
        case ChannelProblem::Baudrate:
            return "Invalid Baudrate";
        case ChannelProblem::Mode:
            return "Invalid Mode";
        case ChannelProblem::Priority:
            return "Invalid Priority";
        case ChannelProblem::Chunksize:
            return "Invalid Chunksize";
    }
    return "";
}

// What follows "Check Channel N".
constexpr std::string_view channelProblemSuffix(ChannelProblem problem) {
    switch (problem) {
        case ChannelProblem::Sensor:
            return " Sensor";
        case ChannelProblem::Port:
            return " Ports";
        case ChannelProblem::Baudrate:
            return " Baudrates";
        case ChannelProblem::Mode:
            return " Mode";
        case ChannelProblem::Priority:
            return " Priority";
        case ChannelProblem::Chunksize:
            return " Chunksize (400 maximum)";
    }
    return "";
}

inline std::string channelProblemText(ChannelProblem problem, int channel) {
    return "Check Channel " + std::to_string(channel) + std::string(channelProblemSuffix(problem));
}

inline constexpr std::string_view LOCAL_PORT_CONFLICT_TITLE = "Local Port Conflict";
inline constexpr std::string_view REMOTE_PORT_CONFLICT_TITLE = "Remote Port Conflict";

inline std::string localPortConflictText(int j, int k) {
    return "Check Local Ports On Channels " + std::to_string(j) + " and " + std::to_string(k);
}
inline std::string remotePortConflictText(int j, int k) {
    return "Check Remote Ports On Channels " + std::to_string(j) + " and " + std::to_string(k);
}

}  // namespace tivra
