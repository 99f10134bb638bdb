#include "cli/dispatch.h"

#include <iostream>

#include "cli/cli_texts.h"
#include "cli/command.h"
#include "cli/command_support.h"
#include "files/terminal_text.h"

namespace tivra::cli {

namespace {

const Command* findCommand(const std::string& name) {
    for (const Command* command : commandTable())
        if (command->name == name) return command;
    return nullptr;
}

// The tool's help lists the commands of the reference; commandTable() holds the same ones (a test
// sees to it).
void printToolHelp(std::ostream& out) {
    out << reference::TOOL_HELP;
}

int toolError(const std::string& what) {
    std::cerr << TOOL_NAME << ": " << what << '\n' << SEE_HELP << '\n';
    return STATUS_UNUSABLE;
}

int unknownCommand(const std::string& name) {
    return toolError("unknown command '" + name + "'");
}

int dispatch(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        printToolHelp(std::cerr);
        return STATUS_UNUSABLE;
    }
    const std::string& first = arguments.front();
    const bool alone = arguments.size() == 1;
    if ((first == "--help" || first == "-h" || first == "--version") && !alone)
        return toolError("'" + first + "' takes no operands");
    if (first == "help" && arguments.size() > 2) return toolError("help takes one COMMAND");
    const bool helpOfHelp =
        first == "help" && !alone && (arguments[1] == "--help" || arguments[1] == "-h");
    if (first == "--help" || first == "-h" || (first == "help" && alone) || helpOfHelp) {
        printToolHelp(std::cout);
        return checkedOutput(STATUS_SUCCESS, nullptr);
    }
    if (first == "--version") {
        std::cout << TOOL_NAME << ' ' << TIVRA_VERSION << '\n';
        return checkedOutput(STATUS_SUCCESS, nullptr);
    }
    if (first == "help") {
        // "tivractl help NAME" is "tivractl NAME --help".
        const Command* command = findCommand(arguments[1]);
        if (command == nullptr) return unknownCommand(arguments[1]);
        return checkedOutput(command->run({"--help"}), command);
    }
    const Command* command = findCommand(first);
    if (command == nullptr) return unknownCommand(first);
    return checkedOutput(
        command->run(std::vector<std::string>(arguments.begin() + 1, arguments.end())), command);
}

}  // namespace

int runTivractl(const std::vector<std::string>& arguments) {
    // Text from files and devices reaches the terminal without its control characters.
    const TerminalSafeStream safeOutput(std::cout);
    const TerminalSafeStream safeErrors(std::cerr);
    return dispatch(arguments);
}

}  // namespace tivra::cli
