// The window on a Wayland desktop without an X server (on_wayland.sh runs weston's headless
// backend for it): the platform the program picks, the splash without a fade, the fixed window
// on the compositor's screen, a board command, and not one warning from Qt on the way.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "app/application.h"
#include "config/controls.h"
#include "link/bridges/simulated.h"
#include "sim/board_pair.h"
#include "support/data_file.h"
#include "support/recording_operator.h"
#include "ui/main_window.h"

namespace {

QStringList warnings;

}  // namespace

namespace tivra::test {
namespace {

class NoPause : public Pause {
  public:
    void pause(uint32_t) override {}
};

TEST(WindowOnWayland, SplashWindowAndBoardsWithoutAWarning) {
    EXPECT_TRUE(QGuiApplication::platformName().startsWith(QStringLiteral("wayland")))
        << QGuiApplication::platformName().toStdString();
    RecordingOperator ui;
    sim::BoardPair boards;
    NoPause pause;
    ApplicationSetup setup;
    setup.operatorOverride = &ui;
    setup.splashTiming = {500, 0};  // the real splash, held only to the next whole second
    setup.makeBridge = [&boards](std::string&) {
        return std::unique_ptr<UsbBridge>(std::make_unique<SimulatedBridge>(boards));
    };
    setup.pause = &pause;
    Application app(std::move(setup));
    ASSERT_TRUE(app.startUp(sourcePath("examples/mixed-sensors.smc")));
    MainWindow& window = *app.window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, 5000)) << "the compositor shows no window";
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    const QSize size = window.size();
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    // Asked to fill the screen (Qt's own title bar has a button for it), it keeps its size.
    window.showMaximized();
    QTest::qWait(300);
    EXPECT_EQ(window.size(), size);

    QTest::mouseClick(window.button(READ_BUTTON_ID), Qt::LeftButton);
    EXPECT_EQ(ui.boxes(), (std::vector<std::string>{"Success: Local configuration data read",
                                                    "Success: Remote configuration data read"}));
    app.shutDown();
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join(QLatin1Char('\n')).toStdString();
}

}  // namespace
}  // namespace tivra::test

// Every message Qt gives on the way is a fault here; the platform is the program's own choice.
int main(int argc, char** argv) {
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg && type != QtInfoMsg) warnings.append(text);
    });
    ::testing::InitGoogleTest(&argc, argv);
    if (!tivra::prepareDisplay()) return 1;
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
