#include "cli/dispatch.h"

#include <algorithm>
#include <iostream>

#include "cli/cli_texts.h"
#include "cli/command.h"
#include "cli/command_support.h"

namespace tivra::cli {

namespace {

const Command* findCommand(const std::string& name) {
    for (const Command* command : commandTable())
        if (command->name == name) return command;
    return nullptr;
}

void printToolHelp(std::ostream& out) {
    size_t width = 0;
    for (const Command* command : commandTable()) width = std::max(width, command->name.size());
    out << TOOL_HELP_HEAD;
    for (const Command* command : commandTable())
        out << "  " << command->name << std::string(width - command->name.size() + 2, ' ')
            << command->summary << '\n';
    out << TOOL_HELP_TAIL;
}

int unknownCommand(const std::string& name) {
    std::cerr << TOOL_NAME << ": unknown command '" << name << "'\n" << SEE_HELP << '\n';
    return STATUS_UNUSABLE;
}

}  // namespace

int runTivractl(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        printToolHelp(std::cerr);
        return STATUS_UNUSABLE;
    }
    const std::string& first = arguments.front();
    if (first == "--help" || first == "-h" || (first == "help" && arguments.size() == 1)) {
        printToolHelp(std::cout);
        return checkedOutput(STATUS_SUCCESS, nullptr);
    }
    if (first == "--version") {
        std::cout << TOOL_NAME << ' ' << TIVRA_VERSION << '\n';
        return STATUS_SUCCESS;
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

}  // namespace tivra::cli
