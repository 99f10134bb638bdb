#pragma once
// The fixed lists the form offers, shared by every channel and by both ends of a channel.

#include <array>
#include <cstdint>
#include <string_view>

namespace tivra {

class ConfigForm;

inline constexpr std::array<std::string_view, 5> SENSOR_TYPES = {"QV Sonar", "Pallion", "Echo",
                                                                 "GP Limit", "GP Fixed"};
inline constexpr std::array<std::string_view, 8> PORT_NAMES = {"1", "2", "3", "4",
                                                               "5", "6", "7", "8"};
inline constexpr std::array<std::string_view, 11> BAUD_RATES = {
    "600", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "76800", "115200", "230400"};
inline constexpr std::array<std::string_view, 2> MODES = {"232", "485"};
inline constexpr std::array<std::string_view, 10> PRIORITIES = {"1", "2", "3", "4", "5",
                                                                "6", "7", "8", "9", "10"};

constexpr int SENSOR_GP_LIMIT = 3;
constexpr int SENSOR_GP_FIXED = 4;
constexpr int MAX_CHUNKSIZE = 400;
constexpr int32_t BAUD_BASE = 921600;

// Sensor types 3 and 4 are the general-purpose ones that carry a priority and a packet size.
constexpr bool generalPurposeSensor(int sensorType) {
    return sensorType == SENSOR_GP_LIMIT || sensorType == SENSOR_GP_FIXED;
}

// Puts every list's entries into the form and disables the nine data controls of each row.
void fillValueLists(ConfigForm& form);

}  // namespace tivra
