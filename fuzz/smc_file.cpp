// The .smc reader on any bytes: every line it makes stays one line and its document reads back
// as the same lines; the record read survives a save and a new read, and the saved text checks
// exactly as the record did (a valid record is saved as checked, and that is a fixed point).

#include <string_view>

#include "config/headless_setup.h"
#include "config/validation.h"
#include "files/configuration_document.h"
#include "fuzz_support.h"

using namespace tivra;

namespace {

MuxConfiguration load(std::string_view text) {
    SettingsFile file;
    file.openFromText(text);
    MuxConfiguration record;
    readConfiguration(file, record);
    return record;
}

struct Checked {
    int32_t result;
    std::vector<std::string> notes;
    MuxConfiguration record;  // as the check completed it
};

Checked check(const MuxConfiguration& record) {
    ProgramState state;
    HeadlessForm form = headlessFormShowing(record);
    fuzz::NotingOperator ui;
    const int32_t result = validateConfiguration(state, form, ui);
    return {result, ui.notes, state.configuration};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    SettingsFile file;
    file.openFromText(text);
    for (const SettingsLine& line : file.lines())
        fuzz::require(line.name.find_first_of(std::string("\r\n\0", 3)) == std::string::npos &&
                          line.value.find_first_of(std::string("\r\n\0", 3)) == std::string::npos,
                      "a line read holds a line end");
    SettingsFile reread;
    reread.openFromText(file.documentText());
    fuzz::require(reread.lines() == file.lines(), "the document reads back as other lines");

    const MuxConfiguration record = load(text);
    fuzz::require(load(configurationText(record)) == record, "the record does not survive a save");
    const Checked before = check(record);
    const MuxConfiguration saved = before.result == 0 ? before.record : record;
    const Checked after = check(load(configurationText(saved)));
    fuzz::require(after.result == before.result && after.notes == before.notes,
                  "the saved text checks differently");
    fuzz::require(before.result != 0 || after.record == saved, "a checked record changes again");
    return 0;
}
