#include "config/validation.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "config/number_text.h"
#include "config/value_lists.h"
#include "config_bench.h"
#include "files/configuration_document.h"

namespace tivra::test {
namespace {

// Makes the edits "3 RPORT=text, 8 ENABLED=on" on the form: on a list the text of an entry
// selects it and "" clears the selection; ENABLED=on checks the box.
void perform(ConfigBench& b, const std::string& edits) {
    static const std::map<std::string, int> OFFSETS = {
        {"ENABLED", ENABLED}, {"SENSOR", SENSOR}, {"LPORT", LPORT}, {"LBAUD", LBAUD},
        {"LMODE", LMODE},     {"RPORT", RPORT},   {"RBAUD", RBAUD}, {"RMODE", RMODE},
        {"PRIO", PRIO},       {"CHUNK", CHUNK}};
    std::istringstream in(edits);
    for (std::string e; std::getline(in >> std::ws, e, ',');) {
        const size_t space = e.find(' '), equals = e.find('=');
        const int offset = OFFSETS.at(e.substr(space + 1, equals - space - 1));
        if (offset == ENABLED)
            b.form.setChecked(controlId(std::stoi(e), ENABLED), e.substr(equals + 1) == "on");
        else
            b.form.setText(controlId(std::stoi(e), offset), e.substr(equals + 1));
    }
}

// From defaults with channel 3 on and the edits made, the check shows the row's box alone and
// changes neither the board-side tables nor the form (baud rates are not written back either); or,
// for no box, passes silently with the record keeping what the form shows (nothing completed,
// nothing snapped).
TEST(ValidateConfiguration, ReportsTheFirstProblemOrPassesChangingNothing) {
    for (const auto& [edits, box] : dataRows("config/checks.txt", " =>")) {
        SCOPED_TRACE(edits);
        ConfigBench b;
        fillTablesWithMarkers(b.state);
        showConfiguration(defaultConfiguration(), b.form);
        perform(b, "3 ENABLED=on, " + edits);
        ProgramState expected = b.state;
        formToConfiguration(b.form, expected.configuration);
        const std::vector<std::string> formBefore = formSnapshot(b.form);
        EXPECT_EQ(validateConfiguration(b.state, b.form, b.ui), box.empty() ? 0 : -1);
        EXPECT_EQ(b.ui.boxes(), box.empty() ? std::vector<std::string>{} : std::vector{box});
        EXPECT_EQ(formSnapshot(b.form), formBefore);
        if (box.empty())
            EXPECT_EQ(b.state.configuration, expected.configuration);
        else
            EXPECT_EQ(
                std::tie(b.state.localPortTable, b.state.remotePortTable, b.state.portRouting),
                std::tie(expected.localPortTable, expected.remotePortTable, expected.portRouting));
    }
}

TEST(ValidateConfiguration, CompletesAndSnapsChannelsInTheRecordShowingOnlyTheRates) {
    for (const auto& [edits, expected] : dataRows("config/completions.txt", " =>")) {
        SCOPED_TRACE(edits);
        ConfigBench b;
        showConfiguration(defaultConfiguration(), b.form);
        perform(b, edits);
        HeadlessForm expectedForm = b.form;
        EXPECT_EQ(validateConfiguration(b.state, b.form, b.ui), 0);
        EXPECT_TRUE(b.ui.events.empty());
        const int n = std::stoi(edits);
        const ChannelConfig& c = b.state.configuration.channel(n);
        std::string record;  // the fields in file order
        visitChannelFields(c, [&](auto, auto field) { record += " " + std::to_string(field); });
        EXPECT_EQ(record.substr(1), expected);
        EXPECT_EQ(b.state.localPortTable[size_t(n - 1)],
                  (PortSettings{c.enabled, c.sensorType, c.localBaudrate, c.localMode, c.priority,
                                c.chunksize}));
        EXPECT_EQ(b.state.remotePortTable[size_t(n - 1)].baudrate, c.remoteBaudrate);
        // The form keeps what the operator left, except the rates, in their own decimal.
        expectedForm.setText(controlId(n, LBAUD), decimalOfField(c.localBaudrate));
        expectedForm.setText(controlId(n, RBAUD), decimalOfField(c.remoteBaudrate));
        EXPECT_EQ(formSnapshot(b.form), formSnapshot(expectedForm));
    }
}

TEST(SnapBaudrate, KnownResultsAndNoDivisionByZero) {
    for (const auto& [rate, snapped] : dataRows("config/snapped_rates.txt", " =>"))
        EXPECT_EQ(snapBaudrate(std::stoi(rate)), std::stoi(snapped)) << rate;
    for (std::string_view entry : BAUD_RATES)
        EXPECT_EQ(snapBaudrate(numberValue(entry)), numberValue(entry)) << entry;
}

// Numbers as typed into the form (tests/data/config/number_values.txt); typed numbers saturate to
// their field: completions.txt. File values keep the low bits of their field instead:
// SettingsFileTest.

TEST(NumberValue, FollowsTheTextRule) {
    for (const auto& [quoted, expected] : dataRows("config/number_values.txt", " =>")) {
        const std::string text = unescaped(quoted.substr(1, quoted.size() - 2));
        EXPECT_EQ(std::to_string(numberValue(text)) + " " +
                      std::to_string(numberValue(text, LeadingSpace::WhiteSpace)),
                  expected)
            << quoted;
    }
}

}  // namespace
}  // namespace tivra::test
