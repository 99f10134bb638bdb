// tivractl ports: the ports of this machine and the one discovery would take as the LocalBoard.

#include <iostream>
#include <memory>

#include "cli/arguments.h"
#include "cli/board_session.h"
#include "cli/cli_texts.h"
#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/json_output.h"
#include "cli/text_columns.h"
#include "link/link_texts.h"
#include "link/port_listing.h"

namespace tivra::cli {

namespace {

constexpr OptionSpec PORTS_OPTIONS[] = {BRIDGE_OPTION, JSON_OPTION};

// A device named with serial:PATH is the LocalBoard only if it opens as a serial line: a missing
// path or a regular file is no board. False, with the reason, when it does not.
bool opensAsSerialLine(UsbBridge& bridge, const std::string& path, std::string& reason) {
    DeviceHandle handle = nullptr;
    if (bridge.open(0, &handle) != 0) {
        if (reason.empty()) reason = path + ": cannot be opened";
        return false;
    }
    bridge.close(handle);
    return true;
}

// The ports the choice names, as discovery through it sees them. False with reason when a device
// or server it names cannot be reached, or with error when the bridge is not available here.
bool portsOfChoice(const BridgeChoice& choice, std::vector<ListedPort>& ports, std::string& reason,
                   std::string& error) {
    using Kind = BridgeChoice::Kind;
    if (choice.kind == Kind::Platform) {
        // What could not be looked at is said; with nothing listed, the last of it is the
        // failure (the bridge library of Windows that cannot be loaded).
        std::vector<std::string> notes;
        ports = listMachinePorts([&notes](const std::string& why) { notes.push_back(why); });
        for (size_t i = 0; i < notes.size(); ++i) {
            if (ports.empty() && i + 1 == notes.size()) {
                reason = notes[i];
                return false;
            }
            printError(PORTS_COMMAND, notes[i]);
        }
        return true;
    }
    if (choice.kind == Kind::UsbSerial) {
        // The machine's ports of that serial number; discovery looks at them alone.
        bool taken = false;
        for (ListedPort& port : listMachinePorts()) {
            if (!port.usb || port.serialNumber != choice.name) continue;
            port.localBoard = !taken && port.description == link_texts::BOARD_PRODUCT_DESCRIPTION;
            taken = taken || port.localBoard;
            ports.push_back(std::move(port));
        }
        reason = std::string(link_texts::NO_PORT_WITH_SERIAL) + "\"" + choice.name + "\"";
        return !ports.empty();
    }
    const std::unique_ptr<UsbBridge> bridge =
        makeBridge(choice, error, [&reason](const std::string& why) { reason = why; });
    if (!bridge) return false;
    if (choice.kind == Kind::SerialPath) {
        // A named device is what it is: USB, a board, only as this machine's ports say.
        if (!opensAsSerialLine(*bridge, choice.name, reason)) return false;
        ports = {listedPortAt(choice.name)};
        return true;
    }
    // Another bridge: its devices as discovery sees them through it, a server or device of the
    // library named as it was chosen.
    ports = listBridgeDevices(*bridge);
    if (!reason.empty()) return false;
    if (choice.kind != Kind::Simulated && ports.size() == 1)
        ports.front().name = bridgeText(choice);
    return true;
}

int runPorts(const std::vector<std::string>& arguments) {
    Arguments parsed;
    std::string error;
    if (!parseArguments(arguments, PORTS_OPTIONS, parsed, error))
        return usageError(PORTS_COMMAND, error);
    if (parsed.help) return printHelp(PORTS_COMMAND);
    if (!parsed.operands.empty()) return usageError(PORTS_COMMAND, "no operands expected");
    BridgeChoice choice;
    if (!commandBridgeChoice(parsed, choice, error))
        return bridgeError(PORTS_COMMAND, parsed, error);

    std::vector<ListedPort> ports;
    std::string reason;
    if (!portsOfChoice(choice, ports, reason, error)) {
        if (!error.empty()) return bridgeError(PORTS_COMMAND, parsed, error);
        printError(PORTS_COMMAND, reason);
        return STATUS_UNUSABLE;
    }

    if (parsed.has("json")) {
        Json list = Json::array();
        for (const ListedPort& port : ports) {
            Json entry = Json::object();
            addName(entry, "name", port.name);
            entry["usb"] = port.usb;
            entry["description"] = port.description;
            entry["serialNumber"] = port.serialNumber;
            entry["localBoard"] = port.localBoard;
            list.push_back(std::move(entry));
        }
        Json document = jsonDocument();
        document["ports"] = std::move(list);
        printJson(document);
    } else if (ports.empty()) {
        std::cout << NO_PORTS << '\n';
    } else {
        std::vector<std::vector<std::string>> rows;
        for (const ListedPort& port : ports)
            rows.push_back({port.name,
                            !port.usb                  ? std::string(NOT_USB)
                            : port.description.empty() ? std::string(NO_DESCRIPTION)
                                                       : port.description,
                            port.serialNumber.empty()
                                ? ""
                                : std::string(SERIAL_NUMBER_BEFORE) + port.serialNumber,
                            port.localBoard ? std::string(LOCAL_BOARD_MARK) : ""});
        std::cout << alignedColumns(rows);
    }
    return STATUS_SUCCESS;
}

}  // namespace

extern const Command PORTS_COMMAND = {"ports", reference::PORTS_SUMMARY, reference::PORTS_HELP,
                                      runPorts, PORTS_OPTIONS};

}  // namespace tivra::cli
