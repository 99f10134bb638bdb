#pragma once
// The splash: a borderless, always-on-top picture window centred on the screen and owned by the
// main window. It fades in, stays until the local clock's whole second is past the deadline
// (three seconds after the fade-in ended) or the picture is clicked, fades out, and hands over
// to the main window. Other input meanwhile is swallowed.

#include <QEventLoop>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <cstdint>

#include "app/splash_clock.h"

class QLabel;
class QVariantAnimation;

namespace tivra {

constexpr int SPLASH_WIDTH = 320;
constexpr int SPLASH_HEIGHT = 247;
constexpr int SPLASH_PICTURE_ID = 100;

struct SplashTiming {
    int fadeMilliseconds = 500;
    int holdSeconds = 3;
};

class SplashScreen : public QWidget {
    Q_OBJECT

  public:
    SplashScreen(QWidget& owner, const QImage& picture, SplashClock& clock,
                 SplashTiming timing = {});
    ~SplashScreen() override;

    // Runs the whole splash and returns once it is hidden and the owner is shown and active.
    void run();

    QLabel* picture() const { return picture_; }
    // The deadline in whole seconds of the clock; valid once the fade-in has ended.
    int64_t deadline() const { return deadline_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    enum class Phase { Hidden, FadingIn, Shown, FadingOut, Done };

    void fade(double from, double to);
    void lookAtClock();
    void end();

    QWidget& owner_;
    SplashClock& clock_;
    SplashTiming timing_;
    bool fades_;
    QLabel* picture_ = nullptr;
    Phase phase_ = Phase::Hidden;
    bool endRequested_ = false;
    int64_t startSecond_ = 0;
    int64_t deadline_ = 0;
    QTimer nextSecond_;
    QEventLoop loop_;
};

// The splash picture decoded from the program's own bytes; a null image when it cannot be.
QImage splashImage();

// Shows the splash for the hidden main window and destroys it afterwards.
void showSplash(QWidget& mainWindow, const QImage& picture, SplashClock& clock,
                SplashTiming timing = {});

}  // namespace tivra
