#include "support/config_form_behaviour.h"

#include <array>
#include <string_view>
#include <vector>

#include "config/channel_config.h"
#include "config/controls.h"
#include "config/field_enabling.h"
#include "config/form_transfer.h"
#include "config/value_lists.h"

namespace tivra::test {

void ConfigFormBehaviour::SetUp() {
    form_ = GetParam()();
    ASSERT_NE(form_, nullptr);
}

std::string configFormBehaviourName(const ::testing::TestParamInfo<ConfigFormFactory>&) {
    return "form";
}

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(ConfigFormBehaviour);

namespace {

constexpr int ROWS = CHANNEL_COUNT;

// The entries each list control of a row must hold, by offset.
std::vector<std::string_view> entriesOf(int offset) {
    switch (offset) {
        case OFFSET_SENSOR_TYPE:
            return {SENSOR_TYPES.begin(), SENSOR_TYPES.end()};
        case OFFSET_LOCAL_PORT:
        case OFFSET_REMOTE_PORT:
            return {PORT_NAMES.begin(), PORT_NAMES.end()};
        case OFFSET_LOCAL_BAUDRATE:
        case OFFSET_REMOTE_BAUDRATE:
            return {BAUD_RATES.begin(), BAUD_RATES.end()};
        case OFFSET_LOCAL_MODE:
        case OFFSET_REMOTE_MODE:
            return {MODES.begin(), MODES.end()};
        case OFFSET_PRIORITY:
            return {PRIORITIES.begin(), PRIORITIES.end()};
        default:
            return {};
    }
}

bool isList(int offset) {
    const ControlKind kind = controlKindOfOffset(offset);
    return kind == ControlKind::List || kind == ControlKind::EditableList;
}

// Enabled state of all eighty controls, for comparing whole forms.
std::array<bool, 80> enabledStates(const ConfigForm& form) {
    std::array<bool, 80> states{};
    for (int id = 1; id <= 80; ++id) states[static_cast<size_t>(id - 1)] = form.isEnabled(id);
    return states;
}

// Expected enabled state of one row: the enable box, then offsets +1..+7, then +8 and +9.
struct RowEnabling {
    bool settings;        // +1 .. +7
    bool generalPurpose;  // +8, +9
};

void expectRow(const ConfigForm& form, int n, RowEnabling expected, const std::string& where) {
    SCOPED_TRACE(where + ", channel " + std::to_string(n));
    EXPECT_TRUE(form.isEnabled(controlId(n, OFFSET_ENABLED)));
    for (int offset = OFFSET_SENSOR_TYPE; offset <= OFFSET_REMOTE_MODE; ++offset)
        EXPECT_EQ(form.isEnabled(controlId(n, offset)), expected.settings) << "offset " << offset;
    for (int offset = OFFSET_PRIORITY; offset <= OFFSET_CHUNKSIZE; ++offset)
        EXPECT_EQ(form.isEnabled(controlId(n, offset)), expected.generalPurpose)
            << "offset " << offset;
}

constexpr RowEnabling OFF{false, false};
constexpr RowEnabling ON{true, false};
constexpr RowEnabling ON_GENERAL_PURPOSE{true, true};

void checkRow(ConfigForm& form, int n, bool checked) {
    form.setChecked(controlId(n, OFFSET_ENABLED), checked);
    EXPECT_TRUE(fieldEnablingRule(form, controlId(n, OFFSET_ENABLED)));
}

void chooseSensor(ConfigForm& form, int n, int position) {
    form.selectIndex(controlId(n, OFFSET_SENSOR_TYPE), position);
    EXPECT_TRUE(fieldEnablingRule(form, controlId(n, OFFSET_SENSOR_TYPE)));
}

}  // namespace

// ---- the form as the factory hands it over ---------------------------------------------------

TEST_P(ConfigFormBehaviour, NewFormIsEmptyAndEnabled) {
    for (int id = 1; id <= 80; ++id) {
        SCOPED_TRACE("control " + std::to_string(id));
        EXPECT_TRUE(form().isEnabled(id));
        const int offset = offsetOfControl(id);
        if (offset == OFFSET_ENABLED) {
            EXPECT_FALSE(form().isChecked(id));
            continue;
        }
        EXPECT_EQ(form().text(id), "");
        if (isList(offset)) {
            EXPECT_EQ(form().selectedIndex(id), -1);
            form().selectIndex(id, 0);  // nothing to select in an empty list
            EXPECT_EQ(form().selectedIndex(id), -1);
        }
    }
}

// ---- fillValueLists ------------------------------------------------------------------------

TEST_P(ConfigFormBehaviour, FillValueListsLeavesTheBlankForm) {
    fillValueLists(form());
    for (int n = 1; n <= ROWS; ++n) {
        for (int offset = 0; offset < FIELD_COUNT; ++offset) {
            const int id = controlId(n, offset);
            SCOPED_TRACE("channel " + std::to_string(n) + " offset " + std::to_string(offset));
            if (offset == OFFSET_ENABLED) {
                EXPECT_TRUE(form().isEnabled(id));
                EXPECT_FALSE(form().isChecked(id));
                continue;
            }
            EXPECT_FALSE(form().isEnabled(id));
            EXPECT_EQ(form().text(id), "");
            if (isList(offset)) {
                EXPECT_EQ(form().selectedIndex(id), -1);
            }
        }
    }
}

TEST_P(ConfigFormBehaviour, FillValueListsPutsEveryListInOrder) {
    fillValueLists(form());
    for (int n = 1; n <= ROWS; ++n) {
        for (int offset = OFFSET_SENSOR_TYPE; offset <= OFFSET_PRIORITY; ++offset) {
            const int id = controlId(n, offset);
            const std::vector<std::string_view> entries = entriesOf(offset);
            SCOPED_TRACE("channel " + std::to_string(n) + " offset " + std::to_string(offset));
            for (size_t i = 0; i < entries.size(); ++i) {
                form().selectIndex(id, static_cast<int>(i));
                EXPECT_EQ(form().selectedIndex(id), static_cast<int>(i));
                EXPECT_EQ(form().text(id), entries[i]);
            }
            // Exactly as many entries: one past the end selects nothing.
            form().selectIndex(id, static_cast<int>(entries.size()));
            EXPECT_EQ(form().selectedIndex(id), -1);
        }
    }
}

// ---- form operations -----------------------------------------------------------------------

TEST_P(ConfigFormBehaviour, SelectByPosition) {
    fillValueLists(form());
    struct Case {
        int offset;
        int start;
        int position;
        int selected;
        std::string_view text;  // for the lists that are not editable
    };
    const Case cases[] = {
        {OFFSET_LOCAL_PORT, -1, 2, 2, "3"},        {OFFSET_LOCAL_PORT, 3, 7, 7, "8"},
        {OFFSET_LOCAL_PORT, 3, -1, -1, ""},        {OFFSET_LOCAL_PORT, 3, 8, -1, ""},
        {OFFSET_LOCAL_PORT, 3, 100, -1, ""},       {OFFSET_LOCAL_PORT, 3, -5, -1, ""},
        {OFFSET_SENSOR_TYPE, 0, 4, 4, "GP Fixed"}, {OFFSET_SENSOR_TYPE, 4, 5, -1, ""},
        {OFFSET_SENSOR_TYPE, 2, 7, -1, ""},        {OFFSET_REMOTE_MODE, 0, 1, 1, "485"},
        {OFFSET_REMOTE_MODE, 1, 2, -1, ""},        {OFFSET_PRIORITY, 4, 9, 9, "10"},
        {OFFSET_PRIORITY, 4, 10, -1, ""},          {OFFSET_PRIORITY, 4, -1, -1, ""},
    };
    for (const Case& c : cases) {
        const int id = controlId(5, c.offset);
        SCOPED_TRACE("offset " + std::to_string(c.offset) + " from " + std::to_string(c.start) +
                     " select " + std::to_string(c.position));
        form().selectIndex(id, c.start);
        form().selectIndex(id, c.position);
        EXPECT_EQ(form().selectedIndex(id), c.selected);
        EXPECT_EQ(form().text(id), c.text);
    }
}

TEST_P(ConfigFormBehaviour, PickingABaudRateEntryShowsItsText) {
    fillValueLists(form());
    const int id = controlId(2, OFFSET_REMOTE_BAUDRATE);
    form().selectIndex(id, 4);
    EXPECT_EQ(form().selectedIndex(id), 4);
    EXPECT_EQ(form().text(id), "9600");
    form().setText(id, "31250");  // typing over the pick
    EXPECT_EQ(form().text(id), "31250");
}

TEST_P(ConfigFormBehaviour, SetTextOfListMatchesIgnoringCase) {
    fillValueLists(form());
    struct Case {
        int offset;
        int start;
        std::string_view text;
        int selected;
    };
    const Case cases[] = {
        {OFFSET_PRIORITY, -1, "5", 4},
        {OFFSET_PRIORITY, 4, "10", 9},
        {OFFSET_PRIORITY, 4, "1", 0},
        {OFFSET_PRIORITY, 4, "11", 4},  // no match: the selection stays
        {OFFSET_PRIORITY, 4, "0", 4},
        {OFFSET_PRIORITY, 4, "-1", 4},
        {OFFSET_PRIORITY, 4, " 5", 4},
        {OFFSET_PRIORITY, 4, "5 ", 4},
        {OFFSET_PRIORITY, 4, "05", 4},
        {OFFSET_PRIORITY, -1, "11", -1},
        {OFFSET_PRIORITY, 4, "", -1},  // an empty text clears
        {OFFSET_PRIORITY, -1, "", -1},
        {OFFSET_SENSOR_TYPE, 0, "gp fixed", 4},
        {OFFSET_SENSOR_TYPE, 0, "GP LIMIT", 3},
        {OFFSET_SENSOR_TYPE, 3, "qv sonar", 0},
        {OFFSET_SENSOR_TYPE, 2, "GP", 2},
        {OFFSET_SENSOR_TYPE, 2, "GP Fixed ", 2},
        {OFFSET_LOCAL_MODE, 0, "485", 1},
        {OFFSET_LOCAL_MODE, 1, "422", 1},
        {OFFSET_LOCAL_PORT, 0, "8", 7},
    };
    for (const Case& c : cases) {
        const int id = controlId(7, c.offset);
        SCOPED_TRACE("offset " + std::to_string(c.offset) + " from " + std::to_string(c.start) +
                     " text '" + std::string(c.text) + "'");
        form().selectIndex(id, c.start);
        form().setText(id, std::string(c.text));
        EXPECT_EQ(form().selectedIndex(id), c.selected);
        // The list then shows its own entry, in the entry's spelling.
        const std::vector<std::string_view> entries = entriesOf(c.offset);
        EXPECT_EQ(form().text(id),
                  c.selected < 0 ? std::string_view() : entries[static_cast<size_t>(c.selected)]);
    }
}

TEST_P(ConfigFormBehaviour, SetTextOfListTakesTheFirstMatch) {
    const int id = controlId(1, OFFSET_SENSOR_TYPE);
    form().addItem(id, "Alpha");
    form().addItem(id, "ALPHA");
    form().addItem(id, "alpha");
    form().selectIndex(id, 2);
    form().setText(id, "aLpHa");
    EXPECT_EQ(form().selectedIndex(id), 0);
    EXPECT_EQ(form().text(id), "Alpha");
}

TEST_P(ConfigFormBehaviour, TypedTextsAreShownAsGiven) {
    fillValueLists(form());
    const std::string_view texts[] = {"31250", "57600 bit/s", " -5", "\t+12",       "abc",
                                      "9600",  "0",           "",    "99999999999", "GP Limit"};
    for (int offset : {OFFSET_LOCAL_BAUDRATE, OFFSET_REMOTE_BAUDRATE, OFFSET_CHUNKSIZE}) {
        for (std::string_view t : texts) {
            const int id = controlId(8, offset);
            form().setText(id, std::string(t));
            EXPECT_EQ(form().text(id), t) << "offset " << offset;
        }
    }
}

TEST_P(ConfigFormBehaviour, CheckBoxesHoldTheirOwnState) {
    for (int n = 1; n <= ROWS; ++n) {
        form().setChecked(controlId(n, OFFSET_ENABLED), true);
        for (int m = 1; m <= ROWS; ++m)
            EXPECT_EQ(form().isChecked(controlId(m, OFFSET_ENABLED)), m == n)
                << "checked " << n << ", read " << m;
        form().setChecked(controlId(n, OFFSET_ENABLED), false);
        EXPECT_FALSE(form().isChecked(controlId(n, OFFSET_ENABLED)));
    }
}

TEST_P(ConfigFormBehaviour, EnabledStatesAreKeptPerControl) {
    for (int id = 1; id <= 80; ++id) {
        form().setEnabled(id, false);
        std::array<bool, 80> expected;
        expected.fill(true);
        expected[static_cast<size_t>(id - 1)] = false;
        EXPECT_EQ(enabledStates(form()), expected) << "disabled control " << id;
        form().setEnabled(id, true);
        EXPECT_TRUE(form().isEnabled(id));
    }
}

TEST_P(ConfigFormBehaviour, DisabledControlsStillTakeAndGiveValues) {
    fillValueLists(form());  // everything but the enable boxes is disabled now
    form().selectIndex(controlId(4, OFFSET_LOCAL_PORT), 6);
    form().setText(controlId(4, OFFSET_LOCAL_BAUDRATE), "19200");
    form().setText(controlId(4, OFFSET_PRIORITY), "7");
    form().setText(controlId(4, OFFSET_CHUNKSIZE), "33");
    EXPECT_EQ(form().selectedIndex(controlId(4, OFFSET_LOCAL_PORT)), 6);
    EXPECT_EQ(form().text(controlId(4, OFFSET_LOCAL_BAUDRATE)), "19200");
    EXPECT_EQ(form().text(controlId(4, OFFSET_PRIORITY)), "7");
    EXPECT_EQ(form().text(controlId(4, OFFSET_CHUNKSIZE)), "33");
}

// ---- field-enabling rule while the operator edits --------------------------------------------

TEST_P(ConfigFormBehaviour, EnablingWithoutSensorTypeLeavesGeneralPurposeFieldsOff) {
    fillValueLists(form());
    checkRow(form(), 3, true);
    for (int n = 1; n <= ROWS; ++n) expectRow(form(), n, n == 3 ? ON : OFF, "row 3 checked");
}

TEST_P(ConfigFormBehaviour, SensorTypeSwitchesGeneralPurposeFields) {
    fillValueLists(form());
    checkRow(form(), 2, true);
    chooseSensor(form(), 2, SENSOR_GP_FIXED);
    expectRow(form(), 2, ON_GENERAL_PURPOSE, "GP Fixed");
    form().selectIndex(controlId(2, OFFSET_PRIORITY), 6);
    form().setText(controlId(2, OFFSET_CHUNKSIZE), "120");

    chooseSensor(form(), 2, 2);  // "Echo"
    expectRow(form(), 2, ON, "Echo");
    EXPECT_EQ(form().text(controlId(2, OFFSET_PRIORITY)), "7");  // contents are not cleared
    EXPECT_EQ(form().text(controlId(2, OFFSET_CHUNKSIZE)), "120");

    chooseSensor(form(), 2, SENSOR_GP_LIMIT);
    expectRow(form(), 2, ON_GENERAL_PURPOSE, "GP Limit");
    chooseSensor(form(), 2, 0);  // "QV Sonar"
    expectRow(form(), 2, ON, "QV Sonar");
    for (int n = 1; n <= ROWS; ++n)
        if (n != 2) expectRow(form(), n, OFF, "other rows");
}

TEST_P(ConfigFormBehaviour, UncheckingAndRecheckingAGeneralPurposeRow) {
    fillValueLists(form());
    checkRow(form(), 6, true);
    form().setText(controlId(6, OFFSET_SENSOR_TYPE), "gp limit");  // shows "GP Limit"
    EXPECT_TRUE(fieldEnablingRule(form(), controlId(6, OFFSET_SENSOR_TYPE)));
    expectRow(form(), 6, ON_GENERAL_PURPOSE, "GP Limit chosen");
    checkRow(form(), 6, false);
    expectRow(form(), 6, OFF, "unchecked");
    checkRow(form(), 6, true);
    expectRow(form(), 6, ON_GENERAL_PURPOSE, "checked again");
    EXPECT_EQ(form().text(controlId(6, OFFSET_SENSOR_TYPE)), "GP Limit");
}

TEST_P(ConfigFormBehaviour, CheckingARowWithANonGeneralSensorDisablesItsPriority) {
    fillValueLists(form());
    // Priority and packet size enabled by hand: checking the row must switch them off again.
    form().setEnabled(controlId(4, OFFSET_PRIORITY), true);
    form().setEnabled(controlId(4, OFFSET_CHUNKSIZE), true);
    form().selectIndex(controlId(4, OFFSET_SENSOR_TYPE), 1);
    checkRow(form(), 4, true);
    expectRow(form(), 4, ON, "Pallion");
}

TEST_P(ConfigFormBehaviour, RunningTheRuleAgainChangesNothing) {
    fillValueLists(form());
    checkRow(form(), 1, true);
    chooseSensor(form(), 1, SENSOR_GP_FIXED);
    checkRow(form(), 5, true);
    const auto before = enabledStates(form());
    for (int n = 1; n <= ROWS; ++n) {
        EXPECT_TRUE(fieldEnablingRule(form(), controlId(n, OFFSET_ENABLED)));
        EXPECT_TRUE(fieldEnablingRule(form(), controlId(n, OFFSET_SENSOR_TYPE)));
    }
    EXPECT_EQ(enabledStates(form()), before);
}

TEST_P(ConfigFormBehaviour, OtherControlsDoNotRunTheRule) {
    fillValueLists(form());
    form().setChecked(controlId(2, OFFSET_ENABLED), true);  // not yet announced
    const auto before = enabledStates(form());
    for (int offset = OFFSET_LOCAL_PORT; offset <= OFFSET_CHUNKSIZE; ++offset)
        EXPECT_FALSE(fieldEnablingRule(form(), controlId(2, offset))) << "offset " << offset;
    for (int id : {-1, 0, 81, 93, READ_BUTTON_ID, WRITE_BUTTON_ID, 1000})
        EXPECT_FALSE(fieldEnablingRule(form(), id)) << "id " << id;
    EXPECT_EQ(enabledStates(form()), before);
}

// ---- transfer between record and form ----------------------------------------------------------

TEST_P(ConfigFormBehaviour, ShowConfigurationEnablesRowsByValue) {
    fillValueLists(form());
    MuxConfiguration config;
    for (int n = 1; n <= ROWS; ++n) config.channel(n) = DefaultChannelConfig(n);
    config.channel(5).enabled = 1;
    config.channel(5).sensorType = SENSOR_GP_FIXED;
    config.channel(3).sensorType = SENSOR_GP_LIMIT;  // switched off: stays entirely disabled
    config.channel(2).enabled = 1;
    config.channel(2).sensorType = 1;
    config.channel(7).enabled = -3;  // any non-zero value is on
    config.channel(7).sensorType = SENSOR_GP_LIMIT;
    config.channel(8).enabled = 1;
    config.channel(8).sensorType = 7;  // outside the list: not general purpose
    showConfiguration(config, form());
    const RowEnabling expected[ROWS] = {
        OFF, ON, OFF, OFF, ON_GENERAL_PURPOSE, OFF, ON_GENERAL_PURPOSE, ON};
    for (int n = 1; n <= ROWS; ++n) expectRow(form(), n, expected[n - 1], "shown");

    // Loading the same row again switched off and then on follows the values.
    config.channel(5).enabled = 0;
    showConfiguration(config, form());
    expectRow(form(), 5, OFF, "reloaded off");
    config.channel(5).enabled = 1;
    showConfiguration(config, form());
    expectRow(form(), 5, ON_GENERAL_PURPOSE, "reloaded on");
}

TEST_P(ConfigFormBehaviour, RecordSurvivesShowAndRead) {
    fillValueLists(form());
    MuxConfiguration config;
    for (int n = 1; n <= ROWS; ++n) {
        ChannelConfig& c = config.channel(n);
        c.enabled = static_cast<int8_t>(n % 2);
        c.sensorType = static_cast<int8_t>((n + 1) % 5);
        c.localPort = static_cast<int8_t>(8 - n);
        c.localBaudrate = n * 12345;
        c.localMode = static_cast<int8_t>(n % 2);
        c.remotePort = static_cast<int8_t>((n + 2) % 8);
        c.remoteBaudrate = -n * 1000;  // numbers are shown and read back as they are
        c.remoteMode = static_cast<int8_t>((n + 1) % 2);
        c.priority = static_cast<int8_t>(n + 2);
        c.chunksize = static_cast<int16_t>(n == 8 ? 32767 : n * 50 - 200);
    }
    showConfiguration(config, form());
    EXPECT_EQ(form().text(controlId(1, OFFSET_LOCAL_BAUDRATE)), "12345");
    EXPECT_EQ(form().text(controlId(1, OFFSET_REMOTE_BAUDRATE)), "-1000");
    EXPECT_EQ(form().text(controlId(4, OFFSET_CHUNKSIZE)), "0");
    EXPECT_EQ(form().text(controlId(3, OFFSET_CHUNKSIZE)), "-50");
    EXPECT_EQ(form().text(controlId(8, OFFSET_PRIORITY)), "10");
    MuxConfiguration read;
    formToConfiguration(form(), read);
    EXPECT_EQ(read, config);
}

TEST_P(ConfigFormBehaviour, ValuesOutsideTheListsShowNoSelection) {
    fillValueLists(form());
    MuxConfiguration config;
    for (int n = 1; n <= ROWS; ++n) config.channel(n) = DefaultChannelConfig(n);
    showConfiguration(config, form());  // every list now has a selection to lose
    config.channel(1).sensorType = -1;
    config.channel(2).sensorType = 7;
    config.channel(3).localPort = 8;
    config.channel(4).remotePort = -1;
    config.channel(5).localMode = 2;
    config.channel(6).remoteMode = -128;
    config.channel(7).localBaudrate = 0;
    showConfiguration(config, form());

    EXPECT_EQ(form().selectedIndex(controlId(1, OFFSET_SENSOR_TYPE)), -1);
    EXPECT_EQ(form().text(controlId(2, OFFSET_SENSOR_TYPE)), "");
    EXPECT_EQ(form().text(controlId(7, OFFSET_LOCAL_BAUDRATE)), "0");
    MuxConfiguration read;
    formToConfiguration(form(), read);
    MuxConfiguration expected = config;
    expected.channel(2).sensorType = -1;
    expected.channel(3).localPort = -1;
    expected.channel(5).localMode = -1;
    expected.channel(6).remoteMode = -1;
    EXPECT_EQ(read, expected);
}

TEST_P(ConfigFormBehaviour, PriorityOutsideTheListKeepsTheEarlierSelection) {
    fillValueLists(form());
    MuxConfiguration config;
    for (int n = 1; n <= ROWS; ++n) config.channel(n) = DefaultChannelConfig(n);
    // A blank priority list reads as 0.
    config.channel(1).priority = 0;
    showConfiguration(config, form());
    MuxConfiguration read;
    formToConfiguration(form(), read);
    EXPECT_EQ(read.channel(1).priority, 0);

    config.channel(2).priority = 5;
    showConfiguration(config, form());
    for (int8_t outside : {int8_t{0}, int8_t{11}, int8_t{-1}, int8_t{127}}) {
        config.channel(2).priority = outside;
        showConfiguration(config, form());
        EXPECT_EQ(form().text(controlId(2, OFFSET_PRIORITY)), "5") << int{outside};
        formToConfiguration(form(), read);
        EXPECT_EQ(read.channel(2).priority, 5) << int{outside};
    }
}

}  // namespace tivra::test
