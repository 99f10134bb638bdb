// The splash with a clock the test moves: it ends one whole second after its deadline or on a
// click on the picture, swallows other input, fades, and hands over to the main window.

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <vector>

#include "app/application.h"
#include "app/splash_picture.h"
#include "app/splash_screen.h"
#include "resources/embedded_resources.h"
#include "support/recording_operator.h"
#include "ui/main_window.h"

namespace tivra::test {
namespace {

// A wall clock that moves on only when the splash waits for the next second, and notes what
// was visible at every look.
class FakeClock : public SplashClock {
  public:
    explicit FakeClock(int64_t start, bool advances = true) : second_(start), advances_(advances) {}

    // onLook may move the clock before the splash gets its answer.
    int64_t currentSecond() override {
        if (onLook) onLook(second_);
        looks.push_back(second_);
        return second_;
    }
    int millisecondsToNextSecond() override {
        ++waits;
        if (!advances_) return 60 * 1000;  // never within a test
        ++second_;
        return 1;
    }
    void setSecond(int64_t second) { second_ = second; }

    std::vector<int64_t> looks;
    int waits = 0;
    std::function<void(int64_t)> onLook;

  private:
    int64_t second_;
    bool advances_;
};

QImage picture() {
    const DecodedPicture decoded = decodeJpeg(resources::splashPicture());
    return QImage(decoded.rgb.data(), decoded.width, decoded.height, decoded.width * 3,
                  QImage::Format_RGB888)
        .copy();
}

SplashScreen* theSplash(QWidget& owner) {
    const auto splashes = owner.findChildren<SplashScreen*>();
    return splashes.isEmpty() ? nullptr : splashes.first();
}

// Runs act once the splash is fully shown (after its fade-in).
void whenShown(MainWindow& owner, std::function<void(SplashScreen*)> act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, &owner, act] {
        SplashScreen* splash = theSplash(owner);
        if (splash == nullptr || splash->windowOpacity() < 0.99) return;
        poll->stop();
        poll->deleteLater();
        act(splash);
    });
    poll->start(5);
}

constexpr SplashTiming QUICK{20, 3};

TEST(Splash, EndsInTheWholeSecondAfterItsDeadline) {
    MainWindow owner;
    FakeClock clock(1000);
    bool hiddenMeanwhile = true;
    clock.onLook = [&](int64_t) {
        SplashScreen* splash = theSplash(owner);
        hiddenMeanwhile =
            hiddenMeanwhile && !owner.isVisible() && splash != nullptr && splash->isVisible();
    };
    showSplash(owner, picture(), clock, QUICK);

    // The deadline is read once after the fade-in, then the clock once a second: 1001..1004.
    const std::vector<int64_t> looks = {1000, 1001, 1002, 1003, 1004};
    EXPECT_EQ(clock.looks, looks);
    EXPECT_TRUE(hiddenMeanwhile);
    EXPECT_TRUE(owner.isVisible());
    EXPECT_EQ(theSplash(owner), nullptr);  // destroyed
}

TEST(Splash, ALeftClickOnThePictureEndsIt) {
    MainWindow owner;
    FakeClock clock(1000, false);
    whenShown(owner, [&](SplashScreen* splash) {
        EXPECT_FALSE(owner.isVisible());
        QTest::mouseClick(splash->picture(), Qt::LeftButton);
    });
    showSplash(owner, picture(), clock, QUICK);
    EXPECT_TRUE(owner.isVisible());
    EXPECT_EQ(clock.looks, std::vector<int64_t>{1000});  // no polling while it waited
}

TEST(Splash, TheRightButtonEndsItWhenReleasedAndOtherInputIsSwallowed) {
    MainWindow owner;
    FakeClock clock(1000, false);
    int reachedOwner = 0;
    owner.setControlHandler([&](int) { ++reachedOwner; });
    bool stillUp = false;
    whenShown(owner, [&](SplashScreen* splash) {
        QTest::keyClick(splash, Qt::Key_Escape);
        QTest::keyClick(splash, Qt::Key_Return);
        QTest::keyClick(splash, Qt::Key_F4, Qt::AltModifier);
        QTest::mouseClick(splash->picture(), Qt::MiddleButton);
        QTest::mouseDClick(splash->picture(), Qt::RightButton);
        QTest::mousePress(splash->picture(), Qt::RightButton);
        // Input meant for the hidden window goes nowhere either.
        QTest::mouseClick(owner.control(1), Qt::LeftButton);
        QTimer::singleShot(50, splash, [&, splash] {
            stillUp = splash->isVisible() && !owner.isVisible();
            QTest::mouseRelease(splash->picture(), Qt::RightButton);
        });
    });
    showSplash(owner, picture(), clock, QUICK);
    EXPECT_TRUE(stillUp);
    EXPECT_TRUE(owner.isVisible());
    EXPECT_EQ(reachedOwner, 0);
}

TEST(Splash, FadesInAndOutOverHalfASecond) {
    MainWindow owner;
    FakeClock clock(1000, false);
    std::vector<double> fadingIn;
    std::vector<double> fadingOut;
    QElapsedTimer elapsed;
    qint64 fadeInTook = 0;
    auto* sampler = new QTimer;
    QObject::connect(sampler, &QTimer::timeout, [&] {
        if (SplashScreen* splash = theSplash(owner); splash && fadeInTook == 0)
            fadingIn.push_back(splash->windowOpacity());
    });
    sampler->start(50);
    elapsed.start();
    whenShown(owner, [&](SplashScreen* splash) {
        fadeInTook = elapsed.elapsed();
        sampler->stop();
        QObject::connect(sampler, &QTimer::timeout, [&, splash] {
            if (splash->isVisible()) fadingOut.push_back(splash->windowOpacity());
        });
        sampler->start(50);
        elapsed.restart();
        QTest::mouseClick(splash->picture(), Qt::LeftButton);
    });
    showSplash(owner, picture(), clock, SplashTiming{500, 3});
    const qint64 fadeOutTook = elapsed.elapsed();
    delete sampler;

    EXPECT_GE(fadeInTook, 450);
    EXPECT_LT(fadeInTook, 3000);
    EXPECT_GE(fadeOutTook, 450);
    EXPECT_LT(fadeOutTook, 3000);
    ASSERT_GE(fadingIn.size(), 3u);
    EXPECT_TRUE(std::is_sorted(fadingIn.begin(), fadingIn.end()));
    EXPECT_LT(fadingIn.front(), 0.5);
    ASSERT_GE(fadingOut.size(), 3u);
    EXPECT_TRUE(std::is_sorted(fadingOut.rbegin(), fadingOut.rend()));
    EXPECT_LT(fadingOut.back(), 0.5);
}

TEST(Splash, IsABorderlessTopmostPictureCentredOnTheScreenAndOwnedByTheWindow) {
    MainWindow owner;
    owner.move(0, 0);  // wherever the main window is
    FakeClock clock(1000, false);
    whenShown(owner, [&](SplashScreen* splash) {
        EXPECT_EQ(splash->parentWidget(), &owner);
        EXPECT_TRUE(splash->isWindow());
        const Qt::WindowFlags flags = splash->windowFlags();
        EXPECT_TRUE(flags & Qt::FramelessWindowHint);
        EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
        EXPECT_EQ(splash->windowTitle().toStdString(), "Splash Window");
        EXPECT_EQ(splash->size(), QSize(320, 247));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        EXPECT_EQ(splash->pos(), QPoint((screen.width() - 320) / 2, (screen.height() - 247) / 2));
        QLabel* shown = splash->picture();
        EXPECT_EQ(shown->property("controlId").toInt(), 100);
        EXPECT_EQ(shown->geometry(), QRect(0, 0, 320, 247));
        EXPECT_EQ(shown->pixmap().size(), QSize(320, 247));
        EXPECT_TRUE(splash->isActiveWindow());
        QTest::mouseClick(shown, Qt::LeftButton);
    });
    showSplash(owner, picture(), clock, QUICK);
}

TEST(Splash, AMissingPictureLeavesTheWindowEmptyForTheSameTime) {
    MainWindow owner;
    FakeClock clock(500);
    showSplash(owner, QImage(), clock, QUICK);
    EXPECT_EQ(clock.looks.back(), 504);
    EXPECT_TRUE(owner.isVisible());
}

TEST(Splash, AClockSetBackDoesNotKeepItUp) {
    MainWindow owner;
    FakeClock clock(1000);
    clock.onLook = [&](int64_t second) {
        if (second == 1002) clock.setSecond(400);  // someone set the clock back
    };
    showSplash(owner, picture(), clock, QUICK);
    EXPECT_EQ(clock.looks, (std::vector<int64_t>{1000, 1001, 400}));
    EXPECT_TRUE(owner.isVisible());
}

TEST(Splash, StartUpShowsTheWindowOnlyAfterTheSplashAndOpensTheFileAfterThat) {
    // The operator at the screen notes whether the main window was up when asked.
    class NotingOperator : public RecordingOperator {
      public:
        bool question(const std::string& title, const std::string& text) override {
            windowUpAtQuestion = window != nullptr && window->isVisible();
            return RecordingOperator::question(title, text);
        }
        QWidget* window = nullptr;
        bool windowUpAtQuestion = false;
    };
    NotingOperator ui;
    ui.answers.push_back(false);
    FakeClock clock(7000);
    Application* started = nullptr;
    bool hiddenDuringSplash = true;
    clock.onLook = [&](int64_t) {
        if (started != nullptr && started->window() != nullptr) {
            ui.window = started->window();
            hiddenDuringSplash = hiddenDuringSplash && !started->window()->isVisible();
        }
    };
    ApplicationSetup setup;
    setup.operatorOverride = &ui;
    setup.splashClock = &clock;
    setup.splashTiming = QUICK;
    Application app(std::move(setup));
    started = &app;
    ASSERT_TRUE(app.startUp("/nonexistent folder/x.smc"));
    EXPECT_TRUE(hiddenDuringSplash);
    EXPECT_EQ(clock.looks.back(), 7004);
    EXPECT_TRUE(ui.windowUpAtQuestion);
    EXPECT_EQ(ui.boxes(), std::vector<std::string>{"Read Error: Load Default Values?"});
    app.shutDown();
}

TEST(SplashPicture, TheCompiledInPictureDecodesToItsSize) {
    const DecodedPicture decoded = decodeJpeg(resources::splashPicture());
    ASSERT_TRUE(decoded.valid());
    EXPECT_EQ(decoded.width, 320);
    EXPECT_EQ(decoded.height, 247);
    ASSERT_EQ(decoded.rgb.size(), 320u * 247u * 3u);
    // Dark blue at the top edge, lighter towards the middle: a colour picture, not grey.
    const uint8_t* top = &decoded.rgb[(2 * 320 + 160) * 3];
    EXPECT_LT(top[0], 60);
    EXPECT_GT(top[2], top[0] + 20);
    // A baseline JPEG: the start-of-frame marker is SOF0 with 8-bit samples and 3 components.
    const auto bytes = resources::splashPicture();
    bool baseline = false;
    for (size_t i = 2; i + 9 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            baseline = bytes[i + 4] == 8 && bytes[i + 9] == 3;
            break;
        }
    }
    EXPECT_TRUE(baseline);
}

TEST(SplashPicture, ADamagedPictureGivesNothingAndTheProgramGoesOn) {
    const auto good = resources::splashPicture();
    const std::vector<unsigned char> cases[] = {
        {}, {0x00, 0x01, 0x02}, {good.begin(), good.begin() + 40},  // cut inside its header
    };
    for (const auto& bytes : cases) EXPECT_FALSE(decodeJpeg(bytes).valid()) << bytes.size();
}

}  // namespace
}  // namespace tivra::test
