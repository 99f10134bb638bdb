#include "cli/command_support.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "cli/cli_texts.h"
#include "cli/program_arguments.h"
#include "config/headless_setup.h"
#include "config/validation.h"
#include "files/configuration_document.h"

namespace tivra::cli {

void printError(const Command& command, const std::string& what) {
    std::cerr << TOOL_NAME << ' ' << command.name << ": " << what << '\n';
}

int usageError(const Command& command, const std::string& what) {
    printError(command, what);
    std::cerr << "Run '" << TOOL_NAME << ' ' << command.name << " --help' for its arguments.\n";
    return STATUS_UNUSABLE;
}

int printHelp(const Command& command) {
    std::cout << command.help;
    return STATUS_SUCCESS;
}

void writeStandardOutput(std::string_view bytes) {
    std::cout.flush();  // what was printed before comes first
    writeBytesToStandardOutput(bytes);
}

bool writeConfigurationOutput(const std::string& out, const MuxConfiguration& configuration,
                              std::string& error) {
    if (out != STANDARD_STREAM) return writeConfigurationFile(out, configuration, error);
    writeStandardOutput(configurationText(configuration));
    return true;
}

int saveAsSaveWould(const Command& command, ProgramState& state, Operator& ui,
                    const std::string& out) {
    HeadlessForm form = headlessFormShowing(state.configuration);
    if (validateConfiguration(state, form, ui) != 0) return STATUS_PROBLEM;
    std::string error;
    if (!writeConfigurationOutput(out, state.configuration, error)) {
        printError(command, error);
        return STATUS_UNUSABLE;
    }
    return STATUS_SUCCESS;
}

bool outputOption(const Command& command, const Arguments& parsed, std::string& out, int& status) {
    out = parsed.has("output") ? parsed.values.at("output") : std::string(STANDARD_STREAM);
    if (!out.empty()) return true;
    status = usageError(command, "option -o needs a file name");
    return false;
}

int checkedOutput(int status, const Command* command) {
    // std::cout writes through the C library's stdout, so this sees what either of them lost.
    errno = 0;
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return status;
    std::string what(CANNOT_WRITE_OUTPUT);
    if (errno != 0) what += std::string(": ") + std::strerror(errno);
    if (command != nullptr)
        printError(*command, what);
    else
        std::cerr << TOOL_NAME << ": " << what << '\n';
    std::clearerr(stdout);  // said once, not again when the command ends
    // A write's status says what the boards took, which a lost report does not change.
    return command != nullptr && command->printsOnlyAReport ? status : STATUS_UNUSABLE;
}

void printDifferences(const std::vector<FieldDifference>& differences, std::string_view before,
                      std::string_view between) {
    for (const FieldDifference& d : differences)
        std::cout << fieldName(d.channel, d.key) << ": " << before << d.first << between << d.second
                  << '\n';
}

}  // namespace tivra::cli
