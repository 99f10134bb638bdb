#include "support/config_form_behaviour.h"

#include <array>
#include <string_view>
#include <tuple>
#include <vector>

#include "config/channel_config.h"
#include "config/form_transfer.h"
#include "config/value_lists.h"
#include "support/configuration_views.h"

namespace tivra::test {

std::string configFormBehaviourName(const ::testing::TestParamInfo<ConfigFormFactory>&) {
    return "form";
}

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(ConfigFormBehaviour);

namespace {

// The entries each list control of a row must hold, by offset.
std::vector<std::string_view> entriesOf(int offset) {
    const auto all = [](const auto& list) {
        return std::vector<std::string_view>(list.begin(), list.end());
    };
    if (offset == SENSOR) return all(SENSOR_TYPES);
    if (offset == LPORT || offset == RPORT) return all(PORT_NAMES);
    if (offset == LBAUD || offset == RBAUD) return all(BAUD_RATES);
    if (offset == LMODE || offset == RMODE) return all(MODES);
    if (offset == PRIO) return all(PRIORITIES);
    return {};
}

}  // namespace

// ---- the form as the factory hands it over, and after fillValueLists --------------------------

TEST_P(ConfigFormBehaviour, FillValueListsLeavesTheBlankFormWithEveryListInOrder) {
    fillValueLists(form());
    EXPECT_EQ(enabling(form()), std::vector<std::string>(CHANNEL_COUNT, OFF));
    // Each control blank ("text/selection"), then each entry chosen in turn, then past the end and
    // any negative position: nothing selected, and an editable list keeps showing its text.
    for (int id = 1; id <= 80; ++id) {
        const int offset = offsetOfControl(id);
        const std::vector<std::string_view> entries = entriesOf(offset);
        const int count = static_cast<int>(entries.size());
        const bool editable = controlKindOfOffset(offset) == ControlKind::EditableList;
        std::string actual =
            offset == ENABLED
                ? (form().isChecked(id) ? "checked" : "")
                : form().text(id) + '/' + std::to_string(count ? form().selectedIndex(id) : -1);
        std::string expected = offset == ENABLED ? "" : "/-1";
        for (int k = 0; count > 0 && k < count + 4; ++k) {
            const int i = k < count ? k : std::array{count, 100, -1, -5}[size_t(k - count)];
            form().selectIndex(id, count - 1);
            form().selectIndex(id, i);
            const bool in = i >= 0 && i < count;
            const std::string_view shown = in ? entries[size_t(i)] : editable ? entries.back() : "";
            actual += ' ' + form().text(id) + '/' + std::to_string(form().selectedIndex(id));
            expected += ' ' + std::string(shown) + '/' + std::to_string(in ? i : -1);
        }
        EXPECT_EQ(actual, expected) << "control " << id;
    }
}

// ---- form operations -----------------------------------------------------------------------

TEST_P(ConfigFormBehaviour, SetTextSelectsTheEntryEqualIgnoringCase) {
    fillValueLists(form());
    // An entry equal but for letter case is selected, the first of several (not the one equal
    // in case too); with none (no trimming, numbers or prefixes) the selection stays; an empty
    // text clears it.
    for (const char* twin : {"GP FIXED", "gp fixed"}) form().addItem(controlId(7, SENSOR), twin);
    const std::tuple<int, int, std::string_view, int> cases[] = {
        {PRIO, -1, "5", 4},         {PRIO, 4, "10", 9},         {PRIO, 4, "1", 0},
        {SENSOR, 6, "gp fixed", 4}, {SENSOR, 3, "qv sonar", 0}, {LMODE, 0, "485", 1},
        {LPORT, 0, "8", 7},         {PRIO, 4, "11", 4},         {PRIO, -1, "11", -1},
        {PRIO, 2, " 5", 2},         {PRIO, 2, "5 ", 2},         {PRIO, 2, "05", 2},
        {PRIO, 2, "-1", 2},         {SENSOR, 2, "GP", 2},       {SENSOR, 2, "GP Fixed ", 2},
        {RMODE, 1, "422", 1},       {PRIO, 4, "", -1}};
    // The list then shows its own entry, in the entry's spelling.
    for (const auto& [offset, start, text, selected] : cases) {
        const int id = controlId(7, offset);
        form().selectIndex(id, start);
        form().setText(id, std::string(text));
        EXPECT_EQ(form().text(id) + '/' + std::to_string(form().selectedIndex(id)),
                  std::string(selected < 0 ? "" : entriesOf(offset)[size_t(selected)]) + '/' +
                      std::to_string(selected))
            << "offset " << offset << " from " << start << " text '" << text << "'";
    }
}

// ---- transfer between record and form ----------------------------------------------------------

TEST_P(ConfigFormBehaviour, RecordSurvivesShowAndReadAndRowsOpenByValue) {
    fillValueLists(form());
    // Numbers are shown and read back as they are, negative ones too. Any non-zero enabled value
    // is on; a general-purpose row switched off stays entirely disabled.
    MuxConfiguration config;
    config.channels = {{{1, 2, 7, 12345, 1, 3, -1000, 0, 3, -150},
                        {0, 3, 6, 24690, 0, 4, -2000, 1, 4, -100},
                        {1, 4, 5, 37035, 1, 5, -3000, 0, 5, -50},
                        {0, 0, 4, 49380, 0, 6, -4000, 1, 6, 0},
                        {-3, 3, 3, 61725, 1, 7, -5000, 0, 7, 50},
                        {0, 2, 2, 74070, 0, 0, -6000, 1, 8, 100},
                        {1, 1, 1, 86415, 1, 1, -7000, 0, 9, 150},
                        {0, 4, 0, 98760, 0, 2, -8000, 1, 10, 32767}}};
    showConfiguration(config, form());
    EXPECT_EQ(enabling(form()), (std::vector<std::string>{ON, OFF, ON_GENERAL_PURPOSE, OFF,
                                                          ON_GENERAL_PURPOSE, OFF, ON, OFF}));
    EXPECT_EQ(text(1, LBAUD) + ' ' + text(1, RBAUD) + ' ' + text(3, CHUNK) + ' ' + text(8, PRIO),
              "12345 -1000 -50 10");
    config.channel(5).enabled = 1;
    EXPECT_EQ(readForm(form()), config);

    // Loading the same row again switched off and then on follows the values.
    for (const int8_t on : {0, 1}) {
        config.channel(3).enabled = on;
        showConfiguration(config, form());
        EXPECT_EQ(enabling(form())[2], on ? ON_GENERAL_PURPOSE : OFF);
    }
}

TEST_P(ConfigFormBehaviour, ValuesOutsideTheListsShowNoSelectionButPriorityKeepsItsOwn) {
    fillValueLists(form());
    MuxConfiguration config = defaultConfiguration();
    config.channel(8).priority = 0;  // a blank priority list reads as 0
    for (int n = 2; n <= 5; ++n) config.channel(n).priority = 5;
    showConfiguration(config, form());  // every other list now has a selection to lose
    EXPECT_EQ(readForm(form()).channel(8).priority, 0);

    // Channel, field, value shown, value read back: none, or for a priority the earlier selection.
    // Sensor type 7 is outside the list: not general purpose.
    using C = ChannelConfig;
    const std::tuple<int, int8_t C::*, int, int> outside[] = {
        {1, &C::sensorType, -1, -1},   {2, &C::enabled, 1, 1},      {2, &C::sensorType, 7, -1},
        {3, &C::localPort, 8, -1},     {4, &C::remotePort, -1, -1}, {5, &C::localMode, 2, -1},
        {6, &C::remoteMode, -128, -1}, {2, &C::priority, 0, 5},     {3, &C::priority, 11, 5},
        {4, &C::priority, -1, 5},      {5, &C::priority, 127, 5}};
    config.channel(7).localBaudrate = 0;
    MuxConfiguration expected = config;
    for (const auto& [n, field, value, back] : outside) {
        config.channel(n).*field = static_cast<int8_t>(value);
        expected.channel(n).*field = static_cast<int8_t>(back);
    }
    showConfiguration(config, form());
    EXPECT_EQ(std::to_string(form().selectedIndex(controlId(1, SENSOR))) + '|' + text(2, SENSOR) +
                  '|' + text(7, LBAUD) + '|' + text(3, PRIO) + '|' + enabling(form())[1],
              "-1||0|5|" + ON);
    EXPECT_EQ(readForm(form()), expected);
}

}  // namespace tivra::test
