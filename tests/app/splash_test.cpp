// The splash with a clock the test moves: it ends one whole second after its deadline, on a left
// click or on the right button's release, swallows other input, fades, and hands over to the
// main window.

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <tuple>

#include "app/app_bench.h"
#include "app/splash_picture.h"
#include "app/splash_screen.h"
#include "resources/embedded_resources.h"

namespace tivra::test {
namespace {

// A wall clock that moves on only when the splash waits for the next second (unless stopped),
// and notes every look at it; onLook may move it before the splash gets its answer.
struct FakeClock : SplashClock {
    FakeClock(int64_t start, bool advances) : second(start), advances(advances) {}
    int64_t second;
    bool advances;
    std::vector<int64_t> looks;
    std::function<void(int64_t)> onLook;

    int64_t currentSecond() override {
        if (onLook) onLook(second);
        looks.push_back(second);
        return second;
    }
    int millisecondsToNextSecond() override { return advances ? (++second, 1) : 60 * 1000; }
};

SplashScreen* theSplash() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* splash = qobject_cast<SplashScreen*>(widget)) return splash;
    return nullptr;
}

// Runs act once the splash is fully shown (after its fade-in), looking every 5 ms.
void whenShown(std::function<void(SplashScreen*)> act) {
    QTimer::singleShot(5, [act] {
        SplashScreen* splash = theSplash();
        if (splash == nullptr || splash->windowOpacity() < 0.99) return whenShown(act);
        act(splash);
    });
}

constexpr SplashTiming QUICK{20, 3};

TEST(Splash, EndsInTheWholeSecondAfterItsDeadline) {
    // Name, with the picture, start, the second at which someone sets the clock back to 400, the
    // looks at the clock, whether a left click ends it.
    using Case = std::tuple<const char*, bool, int64_t, int64_t, std::vector<int64_t>, bool>;
    // The deadline is read once after the fade-in, then the clock once a second.
    const Case cases[] = {
        {"picture", true, 1000, 0, {1000, 1001, 1002, 1003, 1004}, false},
        {"no picture: an empty window as long", false, 500, 0, {500, 501, 502, 503, 504}, false},
        {"a clock set back does not keep it up", true, 1000, 1002, {1000, 1001, 400}, false},
        {"a left click ends it at once", true, 1000, 0, {1000}, true},
    };
    for (const auto& [name, withPicture, start, setBackAt, looks, leftClick] : cases) {
        MainWindow owner;
        FakeClock clock(start, !leftClick);
        if (leftClick)
            whenShown(
                [](SplashScreen* splash) { QTest::mouseClick(splash->picture(), Qt::LeftButton); });
        bool hiddenMeanwhile = true;
        clock.onLook = [&](int64_t second) {
            hiddenMeanwhile = hiddenMeanwhile && !owner.isVisible() && theSplash()->isVisible();
            if (second == setBackAt) clock.second = 400;
        };
        showSplash(owner, withPicture ? splashImage() : QImage(), clock, QUICK);
        EXPECT_EQ(clock.looks, looks) << name;
        // Then the owner shows and the splash is destroyed.
        EXPECT_TRUE(hiddenMeanwhile && owner.isVisible() && theSplash() == nullptr) << name;
    }
}

class SplashAtStartUp : public AppBench {};

// The splash comes first, with the main window hidden and no question asked yet; the file named
// on the command line is opened after it.
TEST_F(SplashAtStartUp,
       ABorderlessTopmostCentredPictureFadingInAndOutAroundTheRightButtonsRelease) {
    ui.answers.push_back(false);
    FakeClock clock(1000, false);
    int reachedOwner = 0;
    std::vector<double> fadingOut;
    QElapsedTimer elapsed;
    elapsed.start();
    qint64 fadeInTook = 0;
    bool stillUp = false;
    whenShown([&](SplashScreen* splash) {
        fadeInTook = elapsed.elapsed();
        auto* owner = dynamic_cast<MainWindow*>(splash->parentWidget());
        owner->setControlHandler([&](int) { ++reachedOwner; });
        EXPECT_TRUE(!owner->isVisible() && ui.events.empty() && splash->isActiveWindow());
        const auto wanted = Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
        EXPECT_EQ(splash->windowFlags() & wanted, wanted);
        EXPECT_EQ(splash->windowTitle().toStdString(), "Splash Window");
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        EXPECT_EQ(splash->geometry(),
                  QRect((screen.width() - 320) / 2, (screen.height() - 247) / 2, 320, 247));
        QLabel* shown = splash->picture();
        EXPECT_EQ(shown->property("controlId").toInt(), 100);
        EXPECT_EQ(shown->geometry(), QRect(0, 0, 320, 247));
        EXPECT_EQ(shown->pixmap().size(), QSize(320, 247));
        // Everything but a left click or the right button's release is swallowed, also input
        // meant for the hidden window.
        QTest::keyClick(splash, Qt::Key_Escape);
        QTest::keyClick(splash, Qt::Key_F4, Qt::AltModifier);
        QTest::mouseClick(shown, Qt::MiddleButton);
        QTest::mouseDClick(shown, Qt::RightButton);
        QTest::mousePress(shown, Qt::RightButton);
        QTest::mouseClick(owner->control(1), Qt::LeftButton);
        QTimer::singleShot(50, splash, [&, splash, shown, owner] {
            stillUp = splash->windowOpacity() > 0.99 && !owner->isVisible();
            elapsed.restart();
            QTest::mouseRelease(shown, Qt::RightButton);
            for (int at : {100, 300})
                QTimer::singleShot(at, splash, [&fadingOut, splash] {
                    fadingOut.push_back(splash->windowOpacity());
                });
        });
    });
    start("/nonexistent folder/x.smc", [&](ApplicationSetup& setup) {
        setup.showSplash = true;
        setup.splashClock = &clock;
        setup.splashTiming = SplashTiming{500, 3};
    });
    const qint64 fadeOutTook = elapsed.elapsed();
    EXPECT_TRUE(stillUp && window().isVisible() && reachedOwner == 0);
    EXPECT_EQ(clock.looks, std::vector<int64_t>{1000});  // no polling while it waited
    EXPECT_EQ(ui.boxes(), std::vector<std::string>{"Read Error: Load Default Values?"});

    for (qint64 took : {fadeInTook, fadeOutTook}) EXPECT_TRUE(took >= 450 && took < 3000) << took;
    EXPECT_TRUE(fadingOut.size() == 2 && 1.0 > fadingOut[0] && fadingOut[0] > fadingOut[1] &&
                fadingOut[1] > 0.0);
}

TEST(SplashPicture, TheCompiledInPictureIsAColourJpegAndDamageGivesNothing) {
    const auto bytes = resources::splashPicture();
    const DecodedPicture decoded = decodeJpeg(bytes);
    ASSERT_EQ(decoded.rgb.size(), 320u * 247u * 3u);
    // Dark blue at the top edge: a colour picture, not grey.
    const uint8_t* top = &decoded.rgb[(2 * 320 + 160) * 3];
    EXPECT_TRUE(top[0] < 60 && top[2] > top[0] + 20);

    const std::vector<unsigned char> damaged[] = {
        {}, {0x00, 0x01, 0x02}, {bytes.begin(), bytes.begin() + 40},  // cut inside its header
    };
    for (const auto& picture : damaged) EXPECT_FALSE(decodeJpeg(picture).valid()) << picture.size();
}

}  // namespace
}  // namespace tivra::test
