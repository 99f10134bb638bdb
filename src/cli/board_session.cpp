#include "cli/board_session.h"

#include "link/bridge_choice.h"

namespace tivra::cli {

std::unique_ptr<UsbBridge> commandBridge(const Arguments& arguments, std::string& error) {
    if (!arguments.has("bridge")) return makeBridgeFromEnvironment(error);
    BridgeChoice choice;
    if (!parseBridgeChoice(arguments.values.at("bridge"), choice, error)) return nullptr;
    return makeBridge(choice, error);
}

}  // namespace tivra::cli
