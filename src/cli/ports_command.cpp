// tivractl ports: the ports of this machine and the one discovery would take as the LocalBoard.

#include <iostream>
#include <memory>

#include "cli/arguments.h"
#include "cli/board_session.h"
#include "cli/cli_texts.h"
#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/text_columns.h"
#include "link/port_listing.h"

namespace tivra::cli {

namespace {

constexpr OptionSpec PORTS_OPTIONS[] = {BRIDGE_OPTION};

int runPorts(const std::vector<std::string>& arguments) {
    Arguments parsed;
    std::string error;
    if (!parseArguments(arguments, PORTS_OPTIONS, parsed, error))
        return usageError(PORTS_COMMAND, error);
    if (parsed.help) return printHelp(PORTS_COMMAND);
    if (!parsed.operands.empty()) return usageError(PORTS_COMMAND, "no operands expected");
    BridgeChoice choice;
    if (!commandBridgeChoice(parsed, choice, error)) return usageError(PORTS_COMMAND, error);

    std::vector<ListedPort> ports;
    if (choice.kind == BridgeChoice::Kind::Platform) {
        ports = listMachinePorts();
    } else {
        // Another bridge: its devices as discovery sees them through it.
        const std::unique_ptr<UsbBridge> bridge = makeBridge(choice, error);
        if (!bridge) return usageError(PORTS_COMMAND, error);
        ports = listBridgeDevices(*bridge);
        if (choice.kind == BridgeChoice::Kind::SerialPath && !ports.empty())
            ports.front().name = choice.path;
    }

    if (ports.empty()) {
        std::cout << NO_PORTS << '\n';
    } else {
        std::vector<std::vector<std::string>> rows;
        for (const ListedPort& port : ports)
            rows.push_back({port.name,
                            !port.usb                  ? std::string(NOT_USB)
                            : port.description.empty() ? std::string(NO_DESCRIPTION)
                                                       : port.description,
                            port.localBoard ? std::string(LOCAL_BOARD_MARK) : ""});
        std::cout << alignedColumns(rows);
    }
    return STATUS_SUCCESS;
}

}  // namespace

extern const Command PORTS_COMMAND = {"ports", PORTS_SUMMARY, PORTS_HELP, runPorts};

}  // namespace tivra::cli
