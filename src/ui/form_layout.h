#pragma once
// Where every control of the main window sits, in pixels of the client area below the menu bar,
// and in which order the controls are made (frames, headings, rows 1..8, buttons).

#include <array>
#include <string_view>

#include "config/controls.h"
#include "ui/ui_texts.h"

namespace tivra::form_layout {

constexpr int CLIENT_WIDTH = 739;
constexpr int CLIENT_HEIGHT = 354;

struct Box {
    int x;
    int y;
    int width;
    int height;
};

struct Frame {
    int id;
    std::string_view title;
    Box box;
};
inline constexpr std::array<Frame, 4> FRAMES = {{
    {93, ui_texts::FRAME_CHANNEL_ENABLE, {10, 20, 130, 280}},
    {0, ui_texts::FRAME_LOCAL_PORTS, {150, 20, 200, 280}},
    {84, ui_texts::FRAME_REMOTE_PORTS, {360, 20, 200, 280}},
    {89, ui_texts::FRAME_GENERAL_PURPOSE, {570, 20, 160, 280}},
}};

struct Heading {
    int id;
    std::string_view text;
    Box box;
    bool centred;
};
inline constexpr std::array<Heading, 10> HEADINGS = {{
    {81, ui_texts::HEADING_PORT, {160, 40, 40, 20}, false},
    {82, ui_texts::HEADING_BAUDRATE, {210, 40, 60, 20}, false},
    {83, ui_texts::HEADING_TYPE, {290, 40, 40, 20}, false},
    {85, ui_texts::HEADING_PORT, {370, 40, 40, 20}, false},
    {86, ui_texts::HEADING_BAUDRATE, {420, 40, 60, 20}, false},
    {87, ui_texts::HEADING_TYPE, {500, 40, 40, 20}, false},
    {88, ui_texts::HEADING_SENSOR, {80, 40, 50, 20}, true},
    {90, ui_texts::HEADING_PRIORITY, {580, 40, 60, 20}, false},
    {91, ui_texts::HEADING_PACKET_SIZE, {640, 40, 60, 20}, false},
    {92, ui_texts::HEADING_ENABLE, {20, 40, 50, 20}, true},
}};

// One control of a row, by offset. For the drop-downs the height is that of the control with its
// list opened; the closed height follows from the font.
struct RowControl {
    int x;
    int width;
    int height;
};
inline constexpr std::array<RowControl, FIELD_COUNT> ROW_CONTROLS = {{
    {20, 30, 20},    // enable box
    {60, 70, 80},    // sensor type
    {160, 40, 160},  // local port
    {210, 70, 220},  // local baud rate
    {290, 50, 60},   // local comms type
    {370, 40, 160},  // remote port
    {420, 70, 220},  // remote baud rate
    {500, 50, 60},   // remote comms type
    {580, 50, 200},  // priority
    {640, 50, 20},   // packet size
}};

constexpr int rowY(int channel) {
    return 60 + 30 * (channel - 1);
}

struct Button {
    int id;
    std::string_view caption;
    std::string_view hover;
    Box box;
};
inline constexpr std::array<Button, 2> BUTTONS = {{
    {READ_BUTTON_ID, ui_texts::READ_BUTTON, ui_texts::READ_BUTTON_HOVER, {10, 310, 150, 30}},
    {WRITE_BUTTON_ID, ui_texts::WRITE_BUTTON, ui_texts::WRITE_BUTTON_HOVER, {170, 310, 150, 30}},
}};

}  // namespace tivra::form_layout
