// Open, Save As and Save from the menus with scripted dialogs: exact titles and type list, the
// window title, and the same result the headless form gives. Cancelled dialogs, missing files
// and forms that fail their check: tests/files/file_commands_test.cpp.

#include <algorithm>

#include "app/app_bench.h"
#include "app/menu_bar.h"
#include "config/headless_form.h"
#include "config/value_lists.h"
#include "files/file_commands.h"

namespace tivra::test {
namespace {

using Kind = OperatorEvent::Kind;

class FileCommandsInTheWindow : public AppBench {};

TEST_F(FileCommandsInTheWindow, OpenAndSaveAsDoWhatTheyDoOnTheHeadlessForm) {
    const std::string FILE_TYPES =
        "Serial multiplexer configuration files (*.smc)|*.smc|All files (*.*)|*.*";
    const std::string path = exampleFile("mixed-sensors.smc");
    const std::string target = folder.file("saved");  // no extension is added
    start();
    ui.filesToOpen.push_back(path);
    ui.filesToSave.push_back(target);
    ProgramState state;
    HeadlessForm headless;
    fillValueLists(headless);
    RecordingOperator quiet;
    quiet.filesToOpen.push_back(path);
    quiet.filesToSave.push_back(folder.file("headless.smc"));

    app->menuItem(MENU_OPEN)->trigger();
    openConfiguration(state, headless, quiet, 0);
    MuxConfiguration fromHeadless;
    formToConfiguration(headless, fromHeadless);
    EXPECT_EQ(shown(), fromHeadless);
    for (int id = 1; id <= 80; ++id) {
        EXPECT_EQ(form().text(id), headless.text(id)) << id;
        EXPECT_EQ(form().isEnabled(id), headless.isEnabled(id)) << id;
    }

    form().setText(controlId(3, OFFSET_REMOTE_BAUDRATE), "31250");
    headless.setText(controlId(3, OFFSET_REMOTE_BAUDRATE), "31250");
    app->menuItem(MENU_SAVE_AS)->trigger();
    saveConfigurationAs(state, headless, quiet);
    const std::vector<OperatorEvent> expected = {
        {Kind::OpenDialog, "Choose configuration to open", FILE_TYPES},
        {Kind::Title, "", "Quorvantel Ostrel RK-2    " + path},
        {Kind::SaveDialog, "Choose configuration to save", FILE_TYPES},
        {Kind::Title, "", "Quorvantel Ostrel RK-2    " + target}};
    EXPECT_EQ(ui.events, expected);
    EXPECT_EQ(app->state().currentConfigPath, target);
    // The snapped rate went back into the form.
    EXPECT_EQ(form().text(controlId(3, OFFSET_REMOTE_BAUDRATE)), "31779");
    const std::string saved = readBytes(target);
    EXPECT_EQ(saved, readBytes(folder.file("headless.smc")));
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 97);

    // Save, by the menu and by Ctrl+S, writes the same file again under the same name.
    activate();
    std::filesystem::remove(target);
    app->menuItem(MENU_SAVE)->trigger();
    EXPECT_EQ(readBytes(target), saved);
    std::filesystem::remove(target);
    QTest::keyClick(&window(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(readBytes(target), saved);
    EXPECT_EQ(ui.events.size(), expected.size());
}

}  // namespace
}  // namespace tivra::test
