// The NAME=VALUE operands of tivractl set on any text: a field and a value understood are exactly
// what the text says, and reading them back from a configuration gives the value set.

#include <string_view>

#include "cli/field_assignment.h"
#include "files/configuration_document.h"
#include "fuzz_support.h"

using namespace tivra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    cli::FieldAssignment assignment;
    std::string error;
    if (!cli::parseFieldAssignment(text, assignment, error)) {
        fuzz::require(!error.empty(), "refused without a reason");
        return 0;
    }
    fuzz::require(
        assignment.channel >= 1 && assignment.channel <= CHANNEL_COUNT && assignment.key < 10,
        "a field outside the record");
    fuzz::require(text.find('=') != std::string_view::npos, "taken without an =");
    MuxConfiguration configuration;
    cli::applyFieldAssignment(assignment, configuration);
    fuzz::require(cli::assignedFieldValue(assignment, configuration) == assignment.value,
                  "the value set is not the value understood");
    // The same field and value, written plainly, are understood alike.
    cli::FieldAssignment again;
    fuzz::require(cli::parseFieldAssignment(
                      assignment.name + "=" + std::to_string(assignment.value), again, error) &&
                      again.channel == assignment.channel && again.key == assignment.key &&
                      again.value == assignment.value,
                  "the plain form of an assignment is understood otherwise");
    return 0;
}
