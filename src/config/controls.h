#pragma once
// Control ids of the main form: channel n owns ids 10*(n-1)+1 .. 10*(n-1)+10, one per field.

namespace tivra {

enum FieldOffset : int {
    OFFSET_ENABLED = 0,
    OFFSET_SENSOR_TYPE = 1,
    OFFSET_LOCAL_PORT = 2,
    OFFSET_LOCAL_BAUDRATE = 3,
    OFFSET_LOCAL_MODE = 4,
    OFFSET_REMOTE_PORT = 5,
    OFFSET_REMOTE_BAUDRATE = 6,
    OFFSET_REMOTE_MODE = 7,
    OFFSET_PRIORITY = 8,
    OFFSET_CHUNKSIZE = 9,
};
constexpr int FIELD_COUNT = 10;

constexpr int READ_BUTTON_ID = 94;
constexpr int WRITE_BUTTON_ID = 95;

constexpr int controlId(int channel, int offset) {
    return 10 * (channel - 1) + 1 + offset;
}
constexpr int channelOfControl(int id) {
    return (id - 1) / 10 + 1;
}  // for ids 1..80
constexpr int offsetOfControl(int id) {
    return (id - 1) % 10;
}  // for ids 1..80
constexpr bool isChannelControl(int id) {
    return id >= 1 && id <= 80;
}

enum class ControlKind {
    CheckBox,      // enable box
    List,          // drop-down, selection only
    EditableList,  // drop-down the operator may also type into (baud rates)
    TextField,     // one-line text (packet size)
};

constexpr ControlKind controlKindOfOffset(int offset) {
    switch (offset) {
        case OFFSET_ENABLED:
            return ControlKind::CheckBox;
        case OFFSET_LOCAL_BAUDRATE:
        case OFFSET_REMOTE_BAUDRATE:
            return ControlKind::EditableList;
        case OFFSET_CHUNKSIZE:
            return ControlKind::TextField;
        default:
            return ControlKind::List;
    }
}

}  // namespace tivra
