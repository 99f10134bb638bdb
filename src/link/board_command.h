#pragma once
// The command byte of a request: which board a frame concerns and what it asks for.

#include <cstdint>

namespace tivra {

enum class BoardCommand : uint8_t {
    ReadLocal = 0,    // send the LocalBoard's configuration
    ReadRemote = 1,   // send the RemoteBoard's configuration
    WriteRemote = 2,  // take this configuration for the RemoteBoard
    WriteLocal = 3,   // take this configuration for the LocalBoard
};

constexpr bool isReadCommand(BoardCommand command) {
    return command == BoardCommand::ReadLocal || command == BoardCommand::ReadRemote;
}
constexpr bool isWriteCommand(BoardCommand command) {
    return command == BoardCommand::WriteLocal || command == BoardCommand::WriteRemote;
}

}  // namespace tivra
