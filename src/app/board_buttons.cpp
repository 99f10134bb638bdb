#include "app/board_buttons.h"

#include "config/board_rebuild.h"

namespace tivra {

void readConfigurationButton(BoardContext& context) {
    const int32_t local = readBoardConfiguration(context, BoardCommand::ReadLocal);
    const int32_t remote = readBoardConfiguration(context, BoardCommand::ReadRemote);
    if (local == 0 || remote == 0) configurationFromBoards(context.state, context.form, context.ui);
}

void writeConfigurationButton(BoardContext& context) {
    writeBoardConfiguration(context, BoardCommand::WriteLocal);
    writeBoardConfiguration(context, BoardCommand::WriteRemote);
}

}  // namespace tivra
