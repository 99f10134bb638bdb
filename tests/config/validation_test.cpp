#include "config/validation.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "config/number_text.h"
#include "config/value_lists.h"
#include "config_bench.h"
#include "link/data_file.h"

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
            b.setText(std::stoi(e), offset, e.substr(equals + 1));
    }
}

// Defaults with channel 3 switched on, as a starting point that passes.
MuxConfiguration channel3On() {
    MuxConfiguration config = defaultConfiguration();
    config.channel(3).enabled = 1;
    return config;
}

// From defaults with channel 3 on and the edits made, the check shows `box` alone and changes
// neither the board-side tables nor the form; or, for no box, passes silently with the record
// keeping what the form shows (nothing completed, nothing snapped).
void expectChecked(const std::string& edits, const std::string& box) {
    SCOPED_TRACE(edits);
    ConfigBench b;
    fillSentinelTables(b.state);
    const ProgramState tablesBefore = b.state;
    b.show(channel3On());
    perform(b, edits);
    const std::vector<std::string> formBefore = formSnapshot(b.form);
    MuxConfiguration typed;
    formToConfiguration(b.form, typed);
    EXPECT_EQ(validateConfiguration(b.state, b.form, b.ui), box.empty() ? 0 : -1);
    EXPECT_EQ(b.ui.boxes(), box.empty() ? std::vector<std::string>{} : std::vector{box});
    EXPECT_EQ(formSnapshot(b.form), formBefore);  // baud rates are not written back either
    if (box.empty()) {
        EXPECT_TRUE(b.ui.events.empty());
        EXPECT_EQ(b.state.configuration, typed);
        return;
    }
    EXPECT_EQ(b.state.localPortTable, tablesBefore.localPortTable);
    EXPECT_EQ(b.state.remotePortTable, tablesBefore.remotePortTable);
    EXPECT_EQ(b.state.portRouting, tablesBefore.portRouting);
}

TEST(ValidateConfiguration, ReportsTheFirstProblemOrPassesChangingNothing) {
    for (const auto& [edits, box] : dataRows("config/checks.txt", " =>")) expectChecked(edits, box);
}

TEST(ValidateConfiguration, CompletesAndSnapsChannelsInTheRecordShowingOnlyTheRates) {
    for (const auto& [edits, expected] : dataRows("config/completions.txt", " =>")) {
        SCOPED_TRACE(edits);
        ConfigBench b;
        b.show(defaultConfiguration());
        perform(b, edits);
        HeadlessForm expectedForm = b.form;
        EXPECT_EQ(validateConfiguration(b.state, b.form, b.ui), 0);
        EXPECT_TRUE(b.ui.events.empty());
        const int n = std::stoi(edits);
        const ChannelConfig& c = b.state.configuration.channel(n);
        std::ostringstream record;
        for (const int32_t field :
             {int32_t(c.enabled), int32_t(c.sensorType), int32_t(c.localPort), c.localBaudrate,
              int32_t(c.localMode), int32_t(c.remotePort), c.remoteBaudrate, int32_t(c.remoteMode),
              int32_t(c.priority), int32_t(c.chunksize)})
            record << (record.tellp() ? " " : "") << field;
        EXPECT_EQ(record.str(), expected);
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

TEST(ValidateConfiguration, FailureKeepsCompletionsOfEarlierChannels) {
    ConfigBench b;
    b.show(defaultConfiguration());
    perform(b, "1 SENSOR=, 1 PRIO=, 1 LBAUD=100000, 2 SENSOR=, 2 RPORT=");
    EXPECT_EQ(validateConfiguration(b.state, b.form, b.ui), -1);
    EXPECT_EQ(b.ui.boxes(), std::vector<std::string>{"Invalid Port: Check Channel 2 Ports"});
    EXPECT_EQ(b.state.configuration.channel(1),
              (ChannelConfig{0, 3, 0, 100000, 0, 0, 57600, 0, 5, 10}));
    EXPECT_EQ(b.state.configuration.channel(2).sensorType, SENSOR_GP_LIMIT);
    EXPECT_EQ(b.form.text(controlId(1, LBAUD)), "100000");  // not snapped, not written back
}

TEST(BuildPortTables, NeverWritesOutsideTheTables) {
    ProgramState state;
    fillSentinelTables(state);
    const ProgramState before = state;
    state.configuration = defaultConfiguration();
    state.configuration.channel(1).localPort = -1;
    state.configuration.channel(2).remotePort = 8;
    state.configuration.channel(3).localPort = 127;
    buildPortTables(state);
    EXPECT_EQ(state.localPortTable[0], before.localPortTable[0]);
    EXPECT_EQ(state.remotePortTable[1], before.remotePortTable[1]);
    EXPECT_EQ(state.localPortTable[2], before.localPortTable[2]);
    EXPECT_EQ(state.portRouting[0], before.portRouting[0]);
    EXPECT_EQ(state.portRouting[1], 8);
    EXPECT_EQ(state.portRouting[2], before.portRouting[2]);
}

TEST(SnapBaudrate, KnownResultsAndNoDivisionByZero) {
    for (const auto& [rate, snapped] : dataRows("config/snapped_rates.txt", " =>"))
        EXPECT_EQ(snapBaudrate(std::stoi(rate)), std::stoi(snapped)) << rate;
    for (std::string_view entry : BAUD_RATES)
        EXPECT_EQ(snapBaudrate(numberValue(entry)), numberValue(entry)) << entry;
}

// Numbers as typed into the form, and the form read into a configuration.

constexpr int32_t MAX32 = std::numeric_limits<int32_t>::max();
constexpr int32_t MIN32 = std::numeric_limits<int32_t>::min();

// The form's rule (the default, BlanksAndTabs) skips blanks and tabs only; the files' rule any C
// white space. Field widths: form texts saturate (FormToConfiguration), file values keep their low
// bits (SettingsFileTest.ValuesKeepTheLowBitsOfTheirField).
// "\240" is a no-break space, not a blank; 2^64 + 1 and 2^32 + 1 must not wrap to 1.
TEST(NumberValue, FollowsTheTextRule) {
    struct Case {
        std::string text;
        int32_t form;
        int32_t atoi_;
    };
    const Case texts[] = {{"abc", 0, 0},     {"", 0, 0},        {" -5", -5, -5}, {"\t+12", 12, 12},
                          {" \t \t7", 7, 7}, {"-", 0, 0},       {"+-3", 0, 0},   {"- 3", 0, 0},
                          {"0x1F", 0, 0},    {"\r\n-5", 0, -5}, {"\v\f9", 0, 9}, {"\2405", 0, 0}};
    const Case longer[] = {{"57600 bit/s", 57600, 57600},          {std::string("4\0002", 3), 4, 4},
                           {"2147483647", MAX32, MAX32},           {"2147483648", MAX32, MAX32},
                           {"-2147483648", MIN32, MIN32},          {"-2147483649", MIN32, MIN32},
                           {"18446744073709551617", MAX32, MAX32}, {"4294967297", MAX32, MAX32},
                           {std::string(5000, '9'), MAX32, MAX32}};
    const auto check = [](const Case& c) {
        SCOPED_TRACE("'" + c.text + "'");
        EXPECT_EQ(numberValue(c.text), c.form);
        EXPECT_EQ(numberValue(c.text, LeadingSpace::WhiteSpace), c.atoi_);
    };
    for (const Case& c : texts) check(c);
    for (const Case& c : longer) check(c);
}

TEST(FormToConfiguration, TypedNumbersFollowTheNumberRuleAndSaturateToTheirField) {
    struct Case {
        int offset;
        std::string typed;
        int32_t stored;
    };
    // The form skips blanks and tabs only; a chunksize of 65936 must not wrap to a valid 400.
    const Case cases[] = {
        {LBAUD, "\n12", 0},      {RBAUD, "\t+12", 12},    {RBAUD, "-99999999999", INT32_MIN},
        {CHUNK, "12 bytes", 12}, {CHUNK, "65936", 32767}, {CHUNK, "-70000", -32768}};
    for (const Case& c : cases) {
        ConfigBench b;
        b.setText(6, c.offset, c.typed);
        formToConfiguration(b.form, b.state.configuration);
        const ChannelConfig& ch = b.state.configuration.channel(6);
        const int32_t stored = c.offset == LBAUD   ? ch.localBaudrate
                               : c.offset == RBAUD ? ch.remoteBaudrate
                                                   : ch.chunksize;
        EXPECT_EQ(stored, c.stored) << "'" << c.typed << "'";
        // The rest of the blank form reads as nothing chosen.
        EXPECT_EQ(b.state.configuration.channel(1),
                  (ChannelConfig{0, -1, -1, 0, -1, -1, 0, -1, 0, 0}));
    }
}

}  // namespace
}  // namespace tivra::test
