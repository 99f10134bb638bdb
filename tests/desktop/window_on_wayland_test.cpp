// The window on a Wayland desktop without an X server (on_wayland.sh runs weston's headless
// backend for it): the platform the program picks, the splash without a fade, the fixed window
// on the compositor's screen, a board command, and not one warning from Qt on the way.

#include <QWindow>

#include "app/app_bench.h"
#include "app/program_start.h"

namespace tivra::test {
namespace {

QStringList warnings;  // every message Qt gives on the way (main below)

class WindowOnWayland : public AppBench {};

TEST_F(WindowOnWayland, SplashWindowAndBoardsWithoutAWarning) {
    EXPECT_TRUE(QGuiApplication::platformName().startsWith(QStringLiteral("wayland")))
        << QGuiApplication::platformName().toStdString();
    // The real splash, held only to the next whole second.
    start(sourcePath("examples/mixed-sensors.smc"), [](ApplicationSetup& setup) {
        setup.showSplash = true;
        setup.splashTiming = {500, 0};
    });
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window(), 5000)) << "the compositor shows no window";
    const QSize size = window().size();
    // Asked to fill the screen (Qt's own title bar has a button for it), it keeps its size. (Its
    // flags and fixed size as set: main_window_test.cpp.)
    window().showMaximized();
    QTest::qWait(300);
    EXPECT_EQ(window().size(), size);

    press(READ_BUTTON_ID);
    EXPECT_EQ(ui.boxes(), (std::vector{LOCAL_READ, REMOTE_READ}));
    app->shutDown();
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join(QLatin1Char('\n')).toStdString();
}

}  // namespace
}  // namespace tivra::test

// Every message Qt gives on the way is a fault here; the platform is the program's own choice.
int main(int argc, char** argv) {
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg && type != QtInfoMsg) tivra::test::warnings.append(text);
    });
    ::testing::InitGoogleTest(&argc, argv);
    if (!tivra::prepareDisplay()) return 1;
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
