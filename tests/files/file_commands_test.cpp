// Open, Save, Save As and the command line, as whole operator sequences: exact dialogs, boxes,
// titles and file bytes. (A valid file that goes through Open and Save unchanged: tivractl format
// of the examples, in tests/cli.)

#include "files/file_commands.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "config/headless_setup.h"
#include "file_test_support.h"
#include "files/configuration_document.h"
#include "support/data_file.h"
#include "support/recording_operator.h"
#include "support/temp_folder.h"

namespace tivra::test {
namespace {

using Event = OperatorEvent::Kind;

const std::string FILTER =
    "Serial multiplexer configuration files (*.smc)|*.smc|All files (*.*)|*.*";
const OperatorEvent OPEN_DIALOG = {Event::OpenDialog, "Choose configuration to open", FILTER};
const OperatorEvent SAVE_DIALOG = {Event::SaveDialog, "Choose configuration to save", FILTER};
const OperatorEvent READ_ERROR = {Event::Question, "Read Error", "Load Default Values?"};

OperatorEvent title(const std::string& path) {
    return {Event::Title, "", "Quorvantel Ostrel RK-2    " + path};
}

class FileCommandsTest : public ::testing::Test {
  protected:
    // A configuration file written without going through the form.
    std::string saved(const std::string& name, const MuxConfiguration& c) {
        writeBytes(folder.file(name), expectedFileText(c));
        return folder.file(name);
    }

    TempFolder folder;
    ProgramState state;
    HeadlessForm form = blankHeadlessForm();
    RecordingOperator ui;
};

TEST_F(FileCommandsTest, ChannelOneEnabledSavesTheExactLayout) {
    MuxConfiguration c = defaultConfiguration();
    c.channel(1).enabled = 1;
    form = headlessFormShowing(c);
    const std::string path = folder.file("one.smc");
    saveConfiguration(state, form, ui, path);
    EXPECT_TRUE(ui.events.empty());

    // The layout spelt out once more, independently: tests/data/cli/hand-edited.formatted.smc.
    const std::string bytes = readBytes(path);
    EXPECT_EQ(bytes, expectedFileText(c));
    EXPECT_EQ(configurationText(c), bytes);
}

TEST_F(FileCommandsTest, EveryFieldValueSurvivesSaveAndOpen) {
    MuxConfiguration c;
    c.channel(1) = {-128, -128, -128, INT32_MIN, -128, -128, INT32_MIN, -128, -128, -32768};
    c.channel(2) = {127, 127, 127, INT32_MAX, 127, 127, INT32_MAX, 127, 127, 32767};
    c.channel(3) = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    c.channel(5) = {2, 4, 7, 31250, 1, 7, 921600, 1, 10, 400};
    c.channel(6) = {1, 5, 8, 1, 2, 8, 1, 2, 11, 401};
    c.channel(7) = {-2, -3, -4, -5, -6, -7, -8, -9, -10, -11};
    c.channel(8) = {100, 3, 6, 123456789, 0, 6, -123456789, 1, 50, -12345};

    const std::string path = folder.file("extremes.smc");
    std::string error;
    ASSERT_TRUE(writeConfigurationFile(path, c, error)) << error;
    EXPECT_EQ(readBytes(path), expectedFileText(c));
    state.currentConfigPath = path;
    EXPECT_EQ(openConfiguration(state, form, ui, 1), 0);
    EXPECT_EQ(state.configuration, c);
    EXPECT_EQ(ui.events, std::vector{title(path)});
}

TEST_F(FileCommandsTest, CancelledOpenForgetsThePathSoSaveRefuses) {
    const std::string path = saved("a.smc", mixedConfiguration());
    ui.filesToOpen = {path, ""};
    EXPECT_EQ(openConfiguration(state, form, ui, 0), 0);
    const auto shown = formSnapshot(form);
    EXPECT_EQ(openConfiguration(state, form, ui, 0), 0);
    EXPECT_EQ(state.currentConfigPath, "");
    EXPECT_EQ(formSnapshot(form), shown);

    saveConfiguration(state, form, ui, state.currentConfigPath);
    EXPECT_EQ(ui.events, (std::vector{OPEN_DIALOG, title(path), OPEN_DIALOG,
                                      OperatorEvent{Event::Message, "Alert",
                                                    "No named configuration loaded (use save "
                                                    "as first...)"}}));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"a.smc"});
}

TEST_F(FileCommandsTest, AMissingFileAsksForDefaults) {
    const std::string first = saved("a.smc", mixedConfiguration());
    const std::string missing = folder.file("missing.smc");
    ui.filesToOpen = {first, missing, missing};
    ui.answers = {false, true};
    EXPECT_EQ(openConfiguration(state, form, ui, 0), 0);
    const auto shown = formSnapshot(form);

    // No: the form and the title stay, but the name is taken.
    EXPECT_EQ(openConfiguration(state, form, ui, 0), -1);
    EXPECT_EQ(ui.events, (std::vector{OPEN_DIALOG, title(first), OPEN_DIALOG, READ_ERROR}));
    EXPECT_EQ(state.currentConfigPath, missing);
    EXPECT_EQ(state.configuration, mixedConfiguration());
    EXPECT_EQ(formSnapshot(form), shown);

    // Yes: the defaults are shown, and Save creates the file.
    ui.clear();
    EXPECT_EQ(openConfiguration(state, form, ui, 0), 0);
    EXPECT_EQ(state.configuration, defaultConfiguration());
    EXPECT_EQ(formSnapshot(form), formSnapshot(headlessFormShowing(defaultConfiguration())));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"a.smc"});
    saveConfiguration(state, form, ui, state.currentConfigPath);
    EXPECT_EQ(ui.events, (std::vector{OPEN_DIALOG, READ_ERROR, title(missing)}));
    EXPECT_EQ(readBytes(missing), expectedFileText(defaultConfiguration()));
}

TEST_F(FileCommandsTest, SaveAsWritesExactlyTheNameTypedAndReplacesWithoutAsking) {
    form = headlessFormShowing(mixedConfiguration());
    const std::string plain = folder.file("plain");
    const std::string existing = folder.file("existing.smc");
    writeBytes(existing, "old contents\n");
    ui.filesToSave = {plain, existing};
    saveConfigurationAs(state, form, ui);
    saveConfigurationAs(state, form, ui);

    EXPECT_EQ(ui.events, (std::vector{SAVE_DIALOG, title(plain), SAVE_DIALOG, title(existing)}));
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"existing.smc", "plain"}));
    EXPECT_EQ(readBytes(plain), expectedFileText(mixedConfiguration()));
    EXPECT_EQ(readBytes(existing), readBytes(plain));
    EXPECT_EQ(state.currentConfigPath, existing);
}

TEST_F(FileCommandsTest, SaveAsOfAFailingFormWritesNothingButNamesTheFile) {
    const std::string path = folder.file("x.smc");
    ui.filesToSave = {path, ""};
    saveConfigurationAs(state, form, ui);  // the blank form of start-up
    EXPECT_EQ(ui.events,
              (std::vector{SAVE_DIALOG,
                           OperatorEvent{Event::Message, "Invalid Port", "Check Channel 1 Ports"},
                           title(path)}));
    EXPECT_EQ(state.currentConfigPath, path);
    EXPECT_EQ(folder.names(), std::vector<std::string>{});

    // A later Save goes to the same name once the form is fixed.
    form = headlessFormShowing(defaultConfiguration());
    ui.clear();
    saveConfiguration(state, form, ui, state.currentConfigPath);
    EXPECT_TRUE(ui.events.empty());
    EXPECT_EQ(readBytes(path), expectedFileText(defaultConfiguration()));

    // Cancelled: no name, and the title ends in its four blanks.
    saveConfigurationAs(state, form, ui);
    EXPECT_EQ(ui.events, (std::vector{SAVE_DIALOG, title("")}));
    EXPECT_EQ(state.currentConfigPath, "");
}

TEST_F(FileCommandsTest, OpenThenSaveRewritesAHandEditedFileInTheFixedLayout) {
    const std::string path = folder.file("hand.smc");
    writeBytes(path,
               "# not a comment, an entry nobody asks for\n; channels 1 and 2 only\n"
               "[channel 2]\nenabled=1\nSENSOR TYPE = 3 ; GP Limit\nlocal baudrate = 100000\n"
               "local port = 0\rRemote Port=0\npriority = 4\nchunksize = 64\n"
               "[CHANNEL 1]\n  Local Port = 1\n  Remote Port = 1\n[Channel 2]\nEnabled = 0\n");
    state.currentConfigPath = path;
    EXPECT_EQ(openConfiguration(state, form, ui, 1), 0);
    saveConfiguration(state, form, ui, path);
    EXPECT_EQ(ui.boxes(), std::vector<std::string>{});

    MuxConfiguration expected = defaultConfiguration();
    expected.channel(1).localPort = 1;
    expected.channel(1).remotePort = 1;
    expected.channel(2) = {1, 3, 0, 102400, 0, 0, 57600, 0, 4, 64};
    EXPECT_EQ(readBytes(path), expectedFileText(expected));
}

TEST_F(FileCommandsTest, CommandLineFileOpensWithoutADialog) {
    const std::string path = saved("cmd line.smc", mixedConfiguration());
    openFromCommandLine(state, form, ui, path);
    EXPECT_EQ(ui.events, std::vector{title(path)});
    EXPECT_EQ(state.configuration, mixedConfiguration());

    ProgramState fresh;
    ui.clear();
    openFromCommandLine(fresh, form, ui, "");
    EXPECT_TRUE(ui.events.empty());
    EXPECT_EQ(fresh.currentConfigPath, "");

    // A device that never ends is refused as too large, not read for ever.
    for (const std::string& unreadable : {folder.file("missing.smc"), std::string("/dev/zero")}) {
        ui.clear();
        ui.answers = {false};
        openFromCommandLine(fresh, form, ui, unreadable);
        EXPECT_EQ(ui.events, std::vector{READ_ERROR});
        EXPECT_EQ(fresh.currentConfigPath, unreadable);
    }
}

TEST(CommandLineSplit, FirstArgumentAfterTheProgramName) {
    for (const auto& [line, expected] : dataRows("files/command_lines.txt", " =>"))
        EXPECT_EQ(firstCommandLineArgument(unescaped(line)), unescaped(expected)) << line;
}

}  // namespace
}  // namespace tivra::test
