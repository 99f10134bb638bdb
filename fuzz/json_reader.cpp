// The reader of format --from-json on any bytes: it never throws and never takes what it cannot
// give back; what it takes prints (as show --json prints it) as valid JSON that reads back the
// same.

#include <nlohmann/json.hpp>
#include <string_view>

#include "cli/json_output.h"
#include "fuzz_support.h"

using namespace tivra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    MuxConfiguration read;
    std::string error;
    const bool taken = cli::configurationFromJson(text, read, error);
    fuzz::require(taken == error.empty(), "a refusal without its reason, or a reason for nothing");
    if (!taken) return 0;
    const std::string printed = cli::jsonText(cli::configurationJson(read));
    fuzz::require(nlohmann::json::accept(printed), "what is printed is not JSON");
    MuxConfiguration again;
    fuzz::require(cli::configurationFromJson(printed, again, error) && again == read,
                  "what is printed does not read back the same");
    return 0;
}
