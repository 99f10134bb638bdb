// Start-up, menus and shortcuts, About, Help, Quit and the command-line file, through the real
// window.

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>
#include <thread>

#include "app/app_bench.h"
#include "app/menu_bar.h"
#include "app/program_folder.h"
#include "config/channel_config.h"

namespace tivra::test {
namespace {

using Kind = OperatorEvent::Kind;

class ApplicationTest : public AppBench {};

TEST_F(ApplicationTest, StartsWithABlankFormOnlyEnableBoxesAndButtonsUsable) {
    start();
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().windowTitle().toStdString(), "Quorvantel Ostrel RK-2");
    EXPECT_TRUE(ui.events.empty());
    EXPECT_EQ(app->state().currentConfigPath, "");
    EXPECT_FALSE(app->state().link.boardLinkOpen);
    EXPECT_EQ(app->bridge(), nullptr);  // no device is touched before a board command

    const int entries[10] = {0, 5, 8, 11, 2, 8, 11, 2, 10, 0};
    for (int n = 1; n <= 8; ++n) {
        for (int offset = 0; offset < 10; ++offset) {
            const int id = controlId(n, offset);
            SCOPED_TRACE("id " + std::to_string(id));
            QWidget* control = window().control(id);
            EXPECT_EQ(control->isEnabled(), offset == OFFSET_ENABLED);
            EXPECT_EQ(form().text(id), "");
            if (auto* list = qobject_cast<QComboBox*>(control)) {
                EXPECT_EQ(list->count(), entries[offset]);
                EXPECT_EQ(list->currentIndex(), -1);
            }
        }
        EXPECT_FALSE(form().isChecked(controlId(n, OFFSET_ENABLED)));
    }
    EXPECT_TRUE(window().control(READ_BUTTON_ID)->isEnabled());
    EXPECT_TRUE(window().control(WRITE_BUTTON_ID)->isEnabled());
}

TEST_F(ApplicationTest, MenusHaveTheirItemsInOrderWithShortcuts) {
    start();
    struct Item {
        const char* text;  // "-" for a separator
        const char* shortcut;
        int id;
    };
    struct Menu {
        const char* title;
        std::vector<Item> items;
    };
    const std::vector<Menu> expected = {
        {"Configuration",
         {{"&Open", "Ctrl+O", 1},
          {"&Save", "Ctrl+S", 2},
          {"Save &As...", "", 3},
          {"-", "", 0},
          {"&Quit", "", 4}}},
        {"Help", {{"Help", "F1", 5}, {"About", "", 6}}},
    };
    const QList<QAction*> menus = window().menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    for (size_t m = 0; m < expected.size(); ++m) {
        QMenu* menu = menus[static_cast<int>(m)]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->title().toStdString(), expected[m].title);
        const QList<QAction*> items = menu->actions();
        ASSERT_EQ(items.size(), static_cast<int>(expected[m].items.size()));
        for (size_t i = 0; i < expected[m].items.size(); ++i) {
            const Item& want = expected[m].items[i];
            QAction* item = items[static_cast<int>(i)];
            SCOPED_TRACE(want.text);
            if (std::string(want.text) == "-") {
                EXPECT_TRUE(item->isSeparator());
                continue;
            }
            EXPECT_EQ(item->text().toStdString(), want.text);
            EXPECT_EQ(item->shortcut().toString(QKeySequence::PortableText).toStdString(),
                      want.shortcut);
            EXPECT_EQ(item->shortcutContext(), Qt::WindowShortcut);
            EXPECT_EQ(item->property(MENU_ID_PROPERTY).toInt(), want.id);
            EXPECT_EQ(app->menuItem(want.id), item);
        }
    }
}

TEST_F(ApplicationTest, CtrlSDoesWhatSaveDoes) {
    QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("mixed.smc")).toStdString();
    std::filesystem::copy_file(exampleFile("mixed-sensors.smc"), path);
    start();
    activate();

    // No file yet: both refuse in the same words.
    app->menuItem(MENU_SAVE)->trigger();
    QTest::keyClick(&window(), Qt::Key_S, Qt::ControlModifier);
    const std::vector<std::string> refusals(
        2, "Alert: No named configuration loaded (use save as first...)");
    EXPECT_EQ(ui.boxes(), refusals);

    // With a file: Ctrl+O asks for it, Ctrl+S writes exactly what the menu's Save writes.
    ui.clear();
    ui.filesToOpen.push_back(path);
    QTest::keyClick(&window(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(ui.events.size(), 2u);
    EXPECT_EQ(ui.events[0].kind, Kind::OpenDialog);
    EXPECT_EQ(ui.events[0].title, "Choose configuration to open");

    form().setText(controlId(2, OFFSET_LOCAL_BAUDRATE), "31250");  // snapped when saved
    app->menuItem(MENU_SAVE)->trigger();
    const std::string byMenu = fileBytes(path);
    std::filesystem::remove(path);
    QTest::keyClick(&window(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(fileBytes(path), byMenu);
    EXPECT_NE(byMenu.find("Local Baudrate = 31779"), std::string::npos);
    EXPECT_EQ(ui.boxes(), std::vector<std::string>{});
}

TEST_F(ApplicationTest, ShortcutsActOnlyWhileTheMainWindowIsActive) {
    start();
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    QTest::keyClick(&other, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(&other, Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(ui.events.empty());
}

TEST_F(ApplicationTest, AboutNamesTheProgramAndItsVersion) {
    start();
    app->menuItem(MENU_ABOUT)->trigger();
    const std::vector<OperatorEvent> expected = {
        {Kind::Message, "", "Quorvantel Ostrel RK-2 Version 0.0.1"}};
    EXPECT_EQ(ui.events, expected);
}

TEST_F(ApplicationTest, HelpOpensTheManualBesideTheProgram) {
    // A stand-in for the desktop's opener records what it was asked to open.
    QTemporaryDir tools;
    const std::string log = tools.filePath(QStringLiteral("opened")).toStdString();
    const std::string opener = tools.filePath(QStringLiteral("xdg-open")).toStdString();
    std::ofstream(opener) << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" << log << "'\n";
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    const std::string savedPath = std::getenv("PATH");
    setenv("PATH", (tools.path().toStdString() + ":" + savedPath).c_str(), 1);
    start();
    setenv("PATH", savedPath.c_str(), 1);
    activate();

    QTest::keyClick(&window(), Qt::Key_F1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fileBytes(log).empty(); }, 5000));
    EXPECT_EQ(fileBytes(log), programFolder() + "help/index.html\n");
    EXPECT_EQ(app->folder(), programFolder());
    EXPECT_TRUE(ui.events.empty());
}

TEST_F(ApplicationTest, QuitAndTheCloseBoxEndTheLoopWithoutAQuestion) {
    for (const bool byMenu : {true, false}) {
        start(exampleFile("mixed-sensors.smc"));
        form().setChecked(controlId(8, OFFSET_ENABLED), true);  // unsaved work
        ui.clear();
        QTimer::singleShot(0, [this, byMenu] {
            if (byMenu)
                app->menuItem(MENU_QUIT)->trigger();
            else
                window().close();
        });
        app->runEventLoop();
        EXPECT_TRUE(app->quitRequested());
        EXPECT_TRUE(ui.events.empty());
        app->shutDown();
        app.reset();
    }
}

TEST_F(ApplicationTest, TheCommandLineFileIsOpenedAtStart) {
    QTemporaryDir folder;
    const std::string path =
        folder.filePath(QStringLiteral("with blanks/my mixed.smc")).toStdString();
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::filesystem::copy_file(exampleFile("mixed-sensors.smc"), path);
    start(path);

    const std::vector<OperatorEvent> expected = {
        {Kind::Title, "", "Quorvantel Ostrel RK-2    " + path}};
    EXPECT_EQ(ui.events, expected);
    EXPECT_EQ(app->state().currentConfigPath, path);
    const MuxConfiguration configuration = shown();
    EXPECT_EQ(configuration.channel(1).enabled, 1);
    EXPECT_EQ(form().text(controlId(2, OFFSET_SENSOR_TYPE)), "Pallion");
    EXPECT_EQ(form().text(controlId(2, OFFSET_LOCAL_BAUDRATE)), "115200");
    EXPECT_TRUE(form().isEnabled(controlId(2, OFFSET_LOCAL_PORT)));
}

TEST_F(ApplicationTest, AnUnreadableCommandLineFileAsksForDefaults) {
    QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("missing.smc")).toStdString();
    for (const bool yes : {false, true}) {
        ui = RecordingOperator();
        ui.answers.push_back(yes);
        start(path);
        std::vector<std::string> question = {"Read Error: Load Default Values?"};
        EXPECT_EQ(ui.boxes(), question);
        EXPECT_EQ(app->state().currentConfigPath, path);
        if (yes) {
            EXPECT_EQ(ui.windowTitle, "Quorvantel Ostrel RK-2    " + path);
            MuxConfiguration defaults;
            for (int n = 1; n <= CHANNEL_COUNT; ++n) defaults.channel(n) = DefaultChannelConfig(n);
            EXPECT_EQ(shown(), defaults);
        } else {
            EXPECT_EQ(ui.windowTitle, "");  // never set: the window keeps its start-up title
            EXPECT_EQ(window().windowTitle().toStdString(), "Quorvantel Ostrel RK-2");
            EXPECT_EQ(form().selectedIndex(controlId(1, OFFSET_SENSOR_TYPE)), -1);
        }
        app->shutDown();
        app.reset();
    }
}

}  // namespace
}  // namespace tivra::test
