// Start-up, menus and shortcuts, About, Help, Quit, the file commands and the command-line file,
// through the real window; the real program refused while another copy runs. A command-line file
// that cannot be read: tests/files/file_commands_test.cpp and, through the program,
// splash_test.cpp.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTimer>
#include <filesystem>

#include "app/app_bench.h"
#include "app/instance_guard.h"
#include "app/menu_bar.h"
#include "app/program_folder.h"

namespace tivra::test {
namespace {

using Kind = OperatorEvent::Kind;
const std::string TITLE = "Quorvantel Ostrel RK-2";

class ApplicationTest : public AppBench {};

TEST_F(ApplicationTest, StartsWithABlankFormItsMenusAndTheirShortcuts) {
    // A stand-in for the help viewer records what Help asked it to show.
    const std::string log = folder.file("opened");
#ifdef _WIN32
    const std::string viewer = TIVRA_HELP_VIEWER_STAND_IN;
    setVariable("TIVRA_HELP_VIEWER_LOG", log);
#else
    const std::string viewer = folder.file("xdg-open");
    writeBytes(viewer, "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" + log + "'\n");
    std::filesystem::permissions(viewer, std::filesystem::perms::owner_all);
#endif
    start("", [&](ApplicationSetup& setup) { setup.helpViewer = viewer; });
    // No title is set (the window's own: main_window_test.cpp), and no device is touched before a
    // board command.
    EXPECT_TRUE(window().isVisible() && ui.events.empty() && app->bridge() == nullptr);

    // "menu TITLE", then each item as "TEXT SHORTCUT #ID", "-" for a separator.
    QString actual;
    for (QAction* menu : window().menuBar()->actions()) {
        actual += "|menu " + menu->menu()->title();
        for (QAction* item : menu->menu()->actions())
            actual += item->isSeparator()
                          ? QStringLiteral("|-")
                          : '|' + item->text() + ' ' +
                                item->shortcut().toString(QKeySequence::PortableText) + " #" +
                                item->property(MENU_ID_PROPERTY).toString();
    }
    EXPECT_EQ(actual.toStdString(),
              "|menu Configuration|&Open Ctrl+O #1|&Save Ctrl+S #2|"
              "Save &As...  #3|-|&Quit  #4|menu Help|Help F1 #5|About  #6");

    app->menuItem(MENU_ABOUT)->trigger();  // a message without a title (a question would fail)
    EXPECT_EQ(ui.boxes(), std::vector<std::string>{": Quorvantel Ostrel RK-2 Version " TIVRA_VERSION});

    // The shortcuts do what their items do while the window is active, and nothing otherwise.
    ui.clear();
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    for (const char* keys : {"Ctrl+S", "Ctrl+O", "F1"})
        QTest::keySequence(&other, QKeySequence(QString::fromLatin1(keys)));
    EXPECT_TRUE(ui.events.empty());
    activate();

    // No file yet: Save and its shortcut Ctrl+S refuse in the same words (with a file:
    // CommandLineFileSaveOpenAndSaveAs... below).
    app->menuItem(MENU_SAVE)->trigger();
    QTest::keyClick(&window(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ui.boxes(), std::vector<std::string>(
                              2, "Alert: No named configuration loaded (use save as first...)"));
    ui.clear();
    ui.filesToOpen.push_back("");  // cancelled
    QTest::keyClick(&window(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(ui.events.size() == 1 ? ui.events[0].title : "", "Choose configuration to open");
    EXPECT_EQ(readBytes(log), "");
    QTest::keyClick(&window(), Qt::Key_F1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !readBytes(log).empty(); }, 5000));
#ifdef _WIN32
    // The compiled manual beside the program, whether or not it is there.
    EXPECT_EQ(readBytes(log), "display " + programFolder() + "tivra.chm\n");
#else
    // This test program has no manual beside it: Help takes the installed one's place.
    const auto installed = std::filesystem::path(programFolder()) / "../share/doc/tivra/manual";
    EXPECT_EQ(readBytes(log), (installed / "index.html").lexically_normal().string() + "\n");
#endif

    // The close box ends the program without a question, also over unsaved work.
    form().setChecked(controlId(8, OFFSET_ENABLED), true);
    ui.clear();
    QTimer::singleShot(0, [this] { window().close(); });
    app->runEventLoop();
    EXPECT_TRUE(app->quitRequested() && ui.events.empty());
#ifdef _WIN32
    // Shutdown closes the help windows.
    app->shutDown();
    EXPECT_EQ(readBytes(log), "display " + programFolder() + "tivra.chm\nclose all\n");
#endif
}

// The real program, its boxes answering themselves into a log, while this test holds the guard
// (in the private runtime folder of the test's main): told so, it ends with exit code 0 and
// leaves the guard to its holder.
TEST(SecondInstance, TheRealProgramIsRefusedWhileAnotherCopyRuns) {
    InstanceGuard first;
    ASSERT_TRUE(first.acquire());
    TempFolder folder;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("TIVRA_BOX_LOG"), QString::fromStdString(folder.file("log")));
    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(TIVRA_PROGRAM), {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -1, 0);
    EXPECT_EQ(readBytes(folder.file("log")),
              "Alert: Configuration or link status monitoring application already open\n");
    EXPECT_FALSE(InstanceGuard().acquire());
}

// The command-line file, then Save, Open and Save As from the menus with scripted dialogs: exact
// titles and type list, the window title, and the files saved from what the form shows: the
// example as it is (it is in the saved layout), then with the rate the operator typed, snapped;
// Quit asks nothing. Cancelled dialogs, missing files and forms that fail their check:
// tests/files/file_commands_test.cpp.
TEST_F(ApplicationTest, CommandLineFileSaveOpenAndSaveAsGiveTheExampleBackThroughTheForm) {
    const std::string path = sourcePath("examples/mixed-sensors.smc");
    const std::string copy = folder.file("with blanks, Ölfeld/my mixed.smc");
    const std::string target = folder.file("with blanks, Ölfeld/saved");  // no extension added
    std::filesystem::create_directories(fileSystemPath(folder.file("with blanks, Ölfeld")));
    std::string example = readBytes(path);
    writeBytes(copy, example);
    start(copy);
    // Save, with no question, writes the file again under the name it was opened by.
    std::filesystem::remove(fileSystemPath(copy));
    app->menuItem(MENU_SAVE)->trigger();
    EXPECT_EQ(readBytes(copy), example);

    ui.filesToOpen.push_back(path);
    ui.filesToSave.push_back(target);
    form().setText(controlId(3, OFFSET_LOCAL_BAUDRATE), "1");  // undone by the Open below
    app->menuItem(MENU_OPEN)->trigger();
    form().setText(controlId(3, OFFSET_REMOTE_BAUDRATE), "31250");
    app->menuItem(MENU_SAVE_AS)->trigger();
    EXPECT_EQ(ui.events, (std::vector<OperatorEvent>{
                             {Kind::Title, "", TITLE + "    " + copy},
                             {Kind::OpenDialog, "Choose configuration to open", FILE_TYPES},
                             {Kind::Title, "", TITLE + "    " + path},
                             {Kind::SaveDialog, "Choose configuration to save", FILE_TYPES},
                             {Kind::Title, "", TITLE + "    " + target}}));
    EXPECT_EQ(app->state().currentConfigPath, target);
    // The snapped rate went back into the form, and into the file.
    EXPECT_EQ(form().text(controlId(3, OFFSET_REMOTE_BAUDRATE)), "31779");
    example.replace(example.find("Remote Baudrate = 38400"), 23, "Remote Baudrate = 31779");
    EXPECT_EQ(readBytes(target), example);

    // Quit, over unsaved work, asks nothing.
    form().setChecked(controlId(8, OFFSET_ENABLED), true);
    QTimer::singleShot(0, [this] { app->menuItem(MENU_QUIT)->trigger(); });
    app->runEventLoop();
    EXPECT_TRUE(app->quitRequested() && ui.events.size() == 5);
}

}  // namespace
}  // namespace tivra::test
