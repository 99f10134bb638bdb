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

const OperatorEvent OPEN_DIALOG = {Event::OpenDialog, "Choose configuration to open", FILE_TYPES};
const OperatorEvent SAVE_DIALOG = {Event::SaveDialog, "Choose configuration to save", FILE_TYPES};
const OperatorEvent READ_ERROR = {Event::Question, "Read Error", "Load Default Values?"};

OperatorEvent title(const std::string& path) {
    return {Event::Title, "", "Quorvantel Ostrel RK-2    " + path};
}

class FileCommandsTest : public ::testing::Test {
  protected:
    TempFolder folder;
    ProgramState state;
    HeadlessForm form = blankHeadlessForm();
    RecordingOperator ui;
};

TEST_F(FileCommandsTest, AMissingFileAsksForDefaultsAndACancelledOpenForgetsThePath) {
    const std::string first =
        writeBytes(folder.file("a.smc"), expectedFileText(mixedConfiguration()));
    const std::string missing = folder.file("missing.smc");
    ui.filesToOpen = {first, missing, missing, ""};
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
    const auto defaults = formSnapshot(headlessFormShowing(defaultConfiguration()));
    EXPECT_EQ(openConfiguration(state, form, ui, 0), 0);
    EXPECT_EQ(state.configuration, defaultConfiguration());
    EXPECT_EQ(formSnapshot(form), defaults);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"a.smc"});
    saveConfiguration(state, form, ui, state.currentConfigPath);
    EXPECT_EQ(ui.events, (std::vector{OPEN_DIALOG, READ_ERROR, title(missing)}));
    EXPECT_EQ(readBytes(missing), expectedFileText(defaultConfiguration()));

    // Cancelled: the name is forgotten, the form and the title stay, and Save refuses.
    ui.clear();
    EXPECT_EQ(openConfiguration(state, form, ui, 0), 0);
    EXPECT_EQ(state.currentConfigPath, "");
    EXPECT_EQ(formSnapshot(form), defaults);
    saveConfiguration(state, form, ui, state.currentConfigPath);
    const OperatorEvent noName = {Event::Message, "Alert",
                                  "No named configuration loaded (use save as first...)"};
    EXPECT_EQ(ui.events, (std::vector{OPEN_DIALOG, noName}));
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"a.smc", "missing.smc"}));
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

}  // namespace
}  // namespace tivra::test
