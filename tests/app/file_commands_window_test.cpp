// Open, Save and Save As from the menus with scripted dialogs: exact titles and type list, the
// window title, and the same result the headless form gives.

#include <QTemporaryDir>

#include "app/app_bench.h"
#include "app/menu_bar.h"
#include "config/headless_form.h"
#include "config/value_lists.h"
#include "files/file_commands.h"

namespace tivra::test {
namespace {

using Kind = OperatorEvent::Kind;
const std::string FILE_TYPES =
    "Serial multiplexer configuration files (*.smc)|*.smc|All files (*.*)|*.*";
const std::string TITLE_WITH_PATH = "Quorvantel Ostrel RK-2    ";

class FileCommandsInTheWindow : public AppBench {
  protected:
    void SetUp() override { start(); }
    std::string in(const char* name) {
        return folder.filePath(QString::fromUtf8(name)).toStdString();
    }
    QTemporaryDir folder;
};

TEST_F(FileCommandsInTheWindow, OpenShowsWhatTheHeadlessFormShowsAndNamesTheFile) {
    const std::string path = exampleFile("mixed-sensors.smc");
    ui.filesToOpen.push_back(path);
    app->menuItem(MENU_OPEN)->trigger();
    const std::vector<OperatorEvent> expected = {
        {Kind::OpenDialog, "Choose configuration to open", FILE_TYPES},
        {Kind::Title, "", TITLE_WITH_PATH + path}};
    EXPECT_EQ(ui.events, expected);

    // The same file through the headless form: the two forms must read back alike.
    ProgramState state;
    HeadlessForm headless;
    fillValueLists(headless);
    RecordingOperator quiet;
    state.currentConfigPath = path;
    openConfiguration(state, headless, quiet, 1);
    MuxConfiguration fromHeadless;
    formToConfiguration(headless, fromHeadless);
    EXPECT_EQ(shown(), fromHeadless);
    for (int id = 1; id <= 80; ++id) {
        EXPECT_EQ(form().text(id), headless.text(id)) << id;
        EXPECT_EQ(form().isEnabled(id), headless.isEnabled(id)) << id;
    }
}

TEST_F(FileCommandsInTheWindow, ACancelledOpenForgetsTheFileButKeepsTheTitle) {
    ui.filesToOpen.push_back(exampleFile("mixed-sensors.smc"));
    app->menuItem(MENU_OPEN)->trigger();
    ui.clear();
    ui.filesToOpen.push_back("");
    app->menuItem(MENU_OPEN)->trigger();
    app->menuItem(MENU_SAVE)->trigger();
    const std::vector<OperatorEvent> expected = {
        {Kind::OpenDialog, "Choose configuration to open", FILE_TYPES},
        {Kind::Message, "Alert", "No named configuration loaded (use save as first...)"}};
    EXPECT_EQ(ui.events, expected);
    EXPECT_EQ(ui.windowTitle, TITLE_WITH_PATH + exampleFile("mixed-sensors.smc"));
    EXPECT_EQ(form().text(controlId(2, OFFSET_SENSOR_TYPE)), "Pallion");  // form unchanged
}

TEST_F(FileCommandsInTheWindow, SaveAsWritesWhatTheHeadlessFormWrites) {
    ui.filesToOpen.push_back(exampleFile("mixed-sensors.smc"));
    app->menuItem(MENU_OPEN)->trigger();
    form().setText(controlId(3, OFFSET_REMOTE_BAUDRATE), "31250");
    const std::string target = in("saved");  // no extension is added
    ui.clear();
    ui.filesToSave.push_back(target);
    app->menuItem(MENU_SAVE_AS)->trigger();
    const std::vector<OperatorEvent> expected = {
        {Kind::SaveDialog, "Choose configuration to save", FILE_TYPES},
        {Kind::Title, "", TITLE_WITH_PATH + target}};
    EXPECT_EQ(ui.events, expected);
    EXPECT_EQ(app->state().currentConfigPath, target);
    // The snapped rate went back into the form.
    EXPECT_EQ(form().text(controlId(3, OFFSET_REMOTE_BAUDRATE)), "31779");

    ProgramState state;
    HeadlessForm headless;
    fillValueLists(headless);
    RecordingOperator quiet;
    state.currentConfigPath = exampleFile("mixed-sensors.smc");
    openConfiguration(state, headless, quiet, 1);
    headless.setText(controlId(3, OFFSET_REMOTE_BAUDRATE), "31250");
    saveConfiguration(state, headless, quiet, in("headless.smc"));
    const std::string saved = fileBytes(target);
    EXPECT_EQ(saved, fileBytes(in("headless.smc")));
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 97);
}

TEST_F(FileCommandsInTheWindow, ATypedNewFileGetsDefaultsAndSaveCreatesIt) {
    const std::string path = in("new.smc");
    ui.filesToOpen.push_back(path);
    ui.answers.push_back(true);
    app->menuItem(MENU_OPEN)->trigger();
    EXPECT_EQ(ui.boxes(), std::vector<std::string>{"Read Error: Load Default Values?"});
    EXPECT_EQ(ui.windowTitle, TITLE_WITH_PATH + path);
    EXPECT_EQ(form().text(controlId(8, OFFSET_LOCAL_PORT)), "8");
    EXPECT_EQ(form().text(controlId(8, OFFSET_LOCAL_BAUDRATE)), "57600");

    app->menuItem(MENU_SAVE)->trigger();
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(ui.boxes(), std::vector<std::string>{"Read Error: Load Default Values?"});
}

TEST_F(FileCommandsInTheWindow, SaveAsOfAFormThatFailsItsCheckWritesNothingButNamesTheFile) {
    form().setChecked(controlId(1, OFFSET_ENABLED), true);  // on, with nothing chosen
    const std::string target = in("never.smc");
    ui.filesToSave.push_back(target);
    app->menuItem(MENU_SAVE_AS)->trigger();
    EXPECT_EQ(ui.boxes(), std::vector<std::string>{"Invalid Sensor: Check Channel 1 Sensor"});
    EXPECT_EQ(ui.windowTitle, TITLE_WITH_PATH + target);
    EXPECT_FALSE(std::filesystem::exists(target));
}

}  // namespace
}  // namespace tivra::test
