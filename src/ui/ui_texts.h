#pragma once
// Every text the main window shows: title, frames, headings, hover texts, buttons and menus.

#include <array>
#include <string>
#include <string_view>

namespace tivra::ui_texts {

inline constexpr std::string_view MAIN_WINDOW_TITLE = "Quorvantel Ostrel RK-2";

// Frames.
inline constexpr std::string_view FRAME_CHANNEL_ENABLE = "Channel Enable";
inline constexpr std::string_view FRAME_LOCAL_PORTS = "Local Ports";
inline constexpr std::string_view FRAME_REMOTE_PORTS = "Remote Ports";
inline constexpr std::string_view FRAME_GENERAL_PURPOSE = "General Purpose Sensor";

// Column headings.
inline constexpr std::string_view HEADING_PORT = "Port";
inline constexpr std::string_view HEADING_BAUDRATE = "Baudrate";
inline constexpr std::string_view HEADING_TYPE = "Type";
inline constexpr std::string_view HEADING_SENSOR = "Sensor";
inline constexpr std::string_view HEADING_PRIORITY = "Priority";
inline constexpr std::string_view HEADING_PACKET_SIZE = "Packet Size";
inline constexpr std::string_view HEADING_ENABLE = "Enable";

// Buttons.
inline constexpr std::string_view READ_BUTTON = "Read Configuration";
inline constexpr std::string_view READ_BUTTON_HOVER = "Read Configuration From Attached Boards";
inline constexpr std::string_view WRITE_BUTTON = "Write Configuration";
inline constexpr std::string_view WRITE_BUTTON_HOVER = "Write Configuration To Attached Boards";

// Hover texts of a row: the text before the channel number and the text after it, by offset.
struct HoverPieces {
    std::string_view before;
    std::string_view after;
};
inline constexpr std::array<HoverPieces, 10> ROW_HOVER = {{
    {"Enable Channel ", ""},
    {"Channel ", " Sensor Type"},
    {"Channel ", " Local Board Port Number"},
    {"Channel ", " Local Baudrate"},
    {"Channel ", " Local Comms Type"},
    {"Channel ", " Remote Board Port Number"},
    {"Channel ", " Remote Baudrate"},
    {"Channel ", " Remote Comms Type"},
    {"Channel ", " Priority (Generic Sensors Only)"},
    {"Channel ", " Data Packet Size (Generic Sensors Only)"},
}};
// Row 6's enable box has always carried a leading blank; operators' notes quote it that way.
inline constexpr std::string_view ROW_6_ENABLE_HOVER_BEFORE = " Enable Channel ";

// The hover text of a row control: channel 1..8, offset 0..9.
inline std::string rowHoverText(int channel, int offset) {
    const HoverPieces& pieces = ROW_HOVER.at(static_cast<size_t>(offset));
    const std::string_view before =
        (offset == 0 && channel == 6) ? ROW_6_ENABLE_HOVER_BEFORE : pieces.before;
    std::string text(before);
    text += static_cast<char>('0' + channel);
    text += pieces.after;
    return text;
}

// Menus. The shortcut keys are shown by the menu beside each item.
inline constexpr std::string_view MENU_CONFIGURATION = "Configuration";
inline constexpr std::string_view MENU_OPEN = "&Open";
inline constexpr std::string_view MENU_SAVE = "&Save";
inline constexpr std::string_view MENU_SAVE_AS = "Save &As...";
inline constexpr std::string_view MENU_QUIT = "&Quit";
inline constexpr std::string_view MENU_HELP = "Help";
inline constexpr std::string_view MENU_HELP_ITEM = "Help";
inline constexpr std::string_view MENU_ABOUT = "About";
inline constexpr std::string_view SHORTCUT_OPEN = "Ctrl+O";
inline constexpr std::string_view SHORTCUT_SAVE = "Ctrl+S";
inline constexpr std::string_view SHORTCUT_HELP = "F1";

// The file dialogs refuse a name whose folder does not exist.
inline constexpr std::string_view MISSING_FOLDER_TEXT = "The folder of this file does not exist.";

}  // namespace tivra::ui_texts
