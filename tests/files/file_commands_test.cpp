// Open, Save, Save As and the command line, as whole operator sequences: exact dialogs, boxes,
// titles and file bytes.

#include "files/file_commands.h"

#include <gtest/gtest.h>

#include <limits>

#include "config/headless_setup.h"
#include "file_test_support.h"
#include "files/configuration_document.h"
#include "support/recording_operator.h"
#include "support/temp_folder.h"

namespace tivra {
namespace {

using test::OperatorEvent;
using test::readBytes;
using test::RecordingOperator;
using test::TempFolder;
using test::writeBytes;
using Event = OperatorEvent::Kind;

const std::string FILTER =
    "Serial multiplexer configuration files (*.smc)|*.smc|All files (*.*)|*.*";
const std::string TITLE_PREFIX = "Quorvantel Ostrel RK-2    ";

OperatorEvent openDialog() {
    return {Event::OpenDialog, "Choose configuration to open", FILTER};
}
OperatorEvent saveDialog() {
    return {Event::SaveDialog, "Choose configuration to save", FILTER};
}
OperatorEvent title(const std::string& path) {
    return {Event::Title, "", TITLE_PREFIX + path};
}
OperatorEvent box(const std::string& t, const std::string& text) {
    return {Event::Message, t, text};
}
OperatorEvent readError() {
    return {Event::Question, "Read Error", "Load Default Values?"};
}

class FileCommandsTest : public ::testing::Test {
  protected:
    TempFolder folder;
    ProgramState state;
    HeadlessForm form = blankHeadlessForm();
    RecordingOperator ui;

    // Saves a configuration file without going through the form.
    std::string saved(const std::string& name, const MuxConfiguration& c) {
        const std::string path = folder.file(name);
        writeBytes(path, test::expectedFileText(c));
        return path;
    }
};

TEST_F(FileCommandsTest, ChannelOneEnabledSavesTheExactLayout) {
    MuxConfiguration c = test::defaultConfiguration();
    c.channel(1).enabled = 1;
    form = headlessFormShowing(c);
    const std::string path = folder.file("one.smc");
    saveConfiguration(state, form, ui, path);
    EXPECT_TRUE(ui.events.empty());

    const std::string bytes = readBytes(path);
    const std::string first14 =
        "; Serial Multiplexer Configuration File\r\n"
        "; \r\n"
        "[Channel 1]\r\n"
        "Enabled = 1\r\n"
        "Sensor Type = 0\r\n"
        "Local Port = 0\r\n"
        "Local Baudrate = 57600\r\n"
        "Local Mode = 0\r\n"
        "Remote Port = 0\r\n"
        "Remote Baudrate = 57600\r\n"
        "Remote Mode = 0\r\n"
        "Priority = 1\r\n"
        "Chunksize = 10\r\n"
        "; \r\n";
    EXPECT_EQ(bytes.substr(0, first14.size()), first14);
    EXPECT_EQ(bytes, test::expectedFileText(c));
    size_t lines = 0;
    for (size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n') {
            ++lines;
            EXPECT_EQ(bytes[i - 1], '\r') << "bare LF at " << i;
        }
    EXPECT_EQ(lines, 97u);
    EXPECT_TRUE(
        bytes.ends_with("[Channel 8]\r\nEnabled = 0\r\nSensor Type = 0\r\nLocal Port = 7\r\n"
                        "Local Baudrate = 57600\r\nLocal Mode = 0\r\nRemote Port = 7\r\n"
                        "Remote Baudrate = 57600\r\nRemote Mode = 0\r\nPriority = 1\r\n"
                        "Chunksize = 10\r\n"));
    EXPECT_EQ(configurationText(c), bytes);
}

TEST_F(FileCommandsTest, EveryFieldValueSurvivesSaveAndOpen) {
    constexpr auto I8 = std::numeric_limits<int8_t>::min();
    constexpr auto I16 = std::numeric_limits<int16_t>::min();
    constexpr auto I32 = std::numeric_limits<int32_t>::min();
    constexpr auto J8 = std::numeric_limits<int8_t>::max();
    constexpr auto J16 = std::numeric_limits<int16_t>::max();
    constexpr auto J32 = std::numeric_limits<int32_t>::max();
    MuxConfiguration c;
    c.channel(1) = {I8, I8, I8, I32, I8, I8, I32, I8, I8, I16};
    c.channel(2) = {J8, J8, J8, J32, J8, J8, J32, J8, J8, J16};
    c.channel(3) = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    c.channel(4) = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    c.channel(5) = {2, 4, 7, 31250, 1, 7, 921600, 1, 10, 400};
    c.channel(6) = {1, 5, 8, 1, 2, 8, 1, 2, 11, 401};
    c.channel(7) = {-2, -3, -4, -5, -6, -7, -8, -9, -10, -11};
    c.channel(8) = {100, 3, 6, 123456789, 0, 6, -123456789, 1, 50, -12345};

    const std::string path = folder.file("extremes.smc");
    std::string error;
    ASSERT_TRUE(writeConfigurationFile(path, c, error)) << error;
    EXPECT_EQ(readBytes(path), test::expectedFileText(c));

    state.currentConfigPath = path;
    EXPECT_EQ(openConfiguration(state, form, ui, 1), 0);
    EXPECT_EQ(state.configuration, c);
    EXPECT_EQ(ui.events, std::vector{title(path)});
}

TEST_F(FileCommandsTest, AValidConfigurationSurvivesSaveAndOpenThroughTheForm) {
    const MuxConfiguration c = test::mixedConfiguration();
    form = headlessFormShowing(c);
    const std::string path = folder.file("mixed.smc");
    saveConfiguration(state, form, ui, path);
    EXPECT_TRUE(ui.events.empty());
    EXPECT_EQ(readBytes(path), test::expectedFileText(c));

    ProgramState later;
    HeadlessForm shown = blankHeadlessForm();
    RecordingOperator ui2;
    ui2.filesToOpen = {path};
    EXPECT_EQ(openConfiguration(later, shown, ui2, 0), 0);
    EXPECT_EQ(later.configuration, c);
    EXPECT_EQ(test::formSnapshot(shown), test::formSnapshot(form));
    EXPECT_EQ(later.currentConfigPath, path);
    EXPECT_EQ(ui2.events, (std::vector{openDialog(), title(path)}));
}

TEST_F(FileCommandsTest, CancelledOpenForgetsThePathSoSaveRefuses) {
    const std::string path = saved("a.smc", test::mixedConfiguration());
    ui.filesToOpen = {path, ""};
    EXPECT_EQ(openConfiguration(state, form, ui, 0), 0);
    const auto shown = test::formSnapshot(form);
    EXPECT_EQ(openConfiguration(state, form, ui, 0), 0);
    EXPECT_EQ(state.currentConfigPath, "");
    EXPECT_EQ(ui.windowTitle, TITLE_PREFIX + path);
    EXPECT_EQ(test::formSnapshot(form), shown);

    saveConfiguration(state, form, ui, state.currentConfigPath);
    EXPECT_EQ(ui.events,
              (std::vector{openDialog(), title(path), openDialog(),
                           box("Alert", "No named configuration loaded (use save as first...)")}));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"a.smc"});
}

TEST_F(FileCommandsTest, MissingFileYesGivesDefaultsAndSaveCreatesIt) {
    const std::string path = folder.file("new.smc");
    ui.filesToOpen = {path};
    ui.answers = {true};
    form = headlessFormShowing(test::mixedConfiguration());
    EXPECT_EQ(openConfiguration(state, form, ui, 0), 0);
    EXPECT_EQ(state.configuration, test::defaultConfiguration());
    EXPECT_EQ(test::formSnapshot(form),
              test::formSnapshot(headlessFormShowing(test::defaultConfiguration())));
    EXPECT_EQ(folder.names(), std::vector<std::string>{});

    saveConfiguration(state, form, ui, state.currentConfigPath);
    EXPECT_EQ(ui.events, (std::vector{openDialog(), readError(), title(path)}));
    EXPECT_EQ(readBytes(path), test::expectedFileText(test::defaultConfiguration()));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"new.smc"});
}

TEST_F(FileCommandsTest, MissingFileNoLeavesFormAndTitle) {
    const std::string first = saved("a.smc", test::mixedConfiguration());
    const std::string missing = folder.file("missing.smc");
    ui.filesToOpen = {first, missing};
    ui.answers = {false};
    EXPECT_EQ(openConfiguration(state, form, ui, 0), 0);
    const auto shown = test::formSnapshot(form);

    EXPECT_EQ(openConfiguration(state, form, ui, 0), -1);
    EXPECT_EQ(ui.events, (std::vector{openDialog(), title(first), openDialog(), readError()}));
    EXPECT_EQ(state.currentConfigPath, missing);
    EXPECT_EQ(state.configuration, test::mixedConfiguration());
    EXPECT_EQ(test::formSnapshot(form), shown);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"a.smc"});
}

TEST_F(FileCommandsTest, SaveAsWritesExactlyTheNameTypedAndReplacesWithoutAsking) {
    form = headlessFormShowing(test::mixedConfiguration());
    const std::string plain = folder.file("plain");
    const std::string existing = folder.file("existing.smc");
    writeBytes(existing, "old contents\n");
    ui.filesToSave = {plain, existing};
    saveConfigurationAs(state, form, ui);
    saveConfigurationAs(state, form, ui);

    EXPECT_EQ(ui.events, (std::vector{saveDialog(), title(plain), saveDialog(), title(existing)}));
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"existing.smc", "plain"}));
    EXPECT_EQ(readBytes(plain), test::expectedFileText(test::mixedConfiguration()));
    EXPECT_EQ(readBytes(existing), readBytes(plain));
    EXPECT_EQ(state.currentConfigPath, existing);
}

TEST_F(FileCommandsTest, SaveAsOfAFailingFormWritesNothingButNamesTheFile) {
    const std::string path = folder.file("x.smc");
    ui.filesToSave = {path};
    saveConfigurationAs(state, form, ui);  // the blank form of start-up
    EXPECT_EQ(ui.events, (std::vector{saveDialog(), box("Invalid Port", "Check Channel 1 Ports"),
                                      title(path)}));
    EXPECT_EQ(state.currentConfigPath, path);
    EXPECT_EQ(folder.names(), std::vector<std::string>{});

    // A later Save goes to the same name once the form is fixed.
    form = headlessFormShowing(test::defaultConfiguration());
    ui.clear();
    saveConfiguration(state, form, ui, state.currentConfigPath);
    EXPECT_TRUE(ui.events.empty());
    EXPECT_EQ(readBytes(path), test::expectedFileText(test::defaultConfiguration()));
}

TEST_F(FileCommandsTest, CancelledSaveAsLeavesTheTitleWithFourBlanks) {
    ui.filesToSave = {""};
    saveConfigurationAs(state, form, ui);
    EXPECT_EQ(ui.events, (std::vector{saveDialog(), title("")}));
    EXPECT_EQ(ui.windowTitle, "Quorvantel Ostrel RK-2    ");
    EXPECT_EQ(ui.windowTitle.size(), 26u);
    EXPECT_EQ(state.currentConfigPath, "");
}

TEST_F(FileCommandsTest, OpenThenSaveRewritesAHandEditedFileInTheFixedLayout) {
    const std::string path = folder.file("hand.smc");
    writeBytes(path,
               "# not a comment, an entry nobody asks for\n"
               "; channels 1 and 2 only\n"
               "[channel 2]\n"
               "enabled=1\n"
               "SENSOR TYPE = 3 ; GP Limit\n"
               "local baudrate = 100000\n"
               "local port = 0\r"
               "Remote Port=0\n"
               "priority = 4\n"
               "chunksize = 64\n"
               "[CHANNEL 1]\n"
               "  Local Port = 1\n"
               "  Remote Port = 1\n"
               "[Channel 2]\n"
               "Enabled = 0\n");
    state.currentConfigPath = path;
    EXPECT_EQ(openConfiguration(state, form, ui, 1), 0);
    saveConfiguration(state, form, ui, path);
    EXPECT_EQ(ui.boxes(), std::vector<std::string>{});

    MuxConfiguration expected = test::defaultConfiguration();
    expected.channel(1).localPort = 1;
    expected.channel(1).remotePort = 1;
    expected.channel(2) = {1, 3, 0, 102400, 0, 0, 57600, 0, 4, 64};
    EXPECT_EQ(readBytes(path), test::expectedFileText(expected));
}

TEST_F(FileCommandsTest, CommandLineFileOpensWithoutADialog) {
    const std::string path = saved("cmd line.smc", test::mixedConfiguration());
    openFromCommandLine(state, form, ui, path);
    EXPECT_EQ(ui.events, std::vector{title(path)});
    EXPECT_EQ(state.configuration, test::mixedConfiguration());

    ProgramState fresh;
    RecordingOperator quiet;
    openFromCommandLine(fresh, form, quiet, "");
    EXPECT_TRUE(quiet.events.empty());
    EXPECT_EQ(fresh.currentConfigPath, "");

    RecordingOperator asked;
    asked.answers = {false};
    const std::string missing = folder.file("missing.smc");
    openFromCommandLine(fresh, form, asked, missing);
    EXPECT_EQ(asked.events, std::vector{readError()});
    EXPECT_EQ(fresh.currentConfigPath, missing);
}

TEST(CommandLineSplit, FirstArgumentAfterTheProgramName) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {R"(tivra.exe C:\cfg\a.smc)", R"(C:\cfg\a.smc)"},
        {R"(tivra.exe "C:\My Configs\a b.smc")", R"(C:\My Configs\a b.smc)"},
        {R"("C:\Program Files\tivra\tivra.exe" "C:\My Configs\a.smc")", R"(C:\My Configs\a.smc)"},
        {R"("C:\Program Files\tivra\tivra.exe" a.smc b.smc)", "a.smc"},
        {R"("C:\Program Files\tivra\tivra.exe")", ""},
        {"tivra.exe", ""},
        {"tivra.exe    ", ""},
        {"tivra.exe     spaced.smc  ", "spaced.smc"},
        {"tivra.exe\ta.smc", ""},  // a tab does not end the program's name
        {"tivra.exe a\tb.smc c.smc", "a\tb.smc"},
        {"tivra.exe \ta.smc", "\ta.smc"},
        {R"(tivra.exe "unterminated path)", "unterminated path"},
        {R"(tivra.exe "")", ""},
        {R"(tivra.exe "a b"c)", "a b"},
        {R"(tivra.exe a"b c")", "a\"b"},
        {"", ""},
    };
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(firstCommandLineArgument(line), expected) << line;
}

}  // namespace
}  // namespace tivra
