#include "app/splash_screen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QVariantAnimation>

#include "app/app_texts.h"
#include "app/splash_picture.h"
#include "resources/embedded_resources.h"

namespace tivra {

namespace {

bool isInput(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return true;
        default:
            return false;
    }
}

}  // namespace

SplashScreen::SplashScreen(QWidget& owner, const QImage& picture, SplashClock& clock,
                           SplashTiming timing)
    : QWidget(&owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      owner_(owner),
      clock_(clock),
      timing_(timing),
      // Wayland windows have no opacity: there the splash appears and goes without fading.
      fades_(!QGuiApplication::platformName().startsWith(QStringLiteral("wayland"))) {
    setWindowTitle(QString::fromUtf8(app_texts::SPLASH_TITLE.data(),
                                     static_cast<qsizetype>(app_texts::SPLASH_TITLE.size())));
    setFixedSize(SPLASH_WIDTH, SPLASH_HEIGHT);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - SPLASH_WIDTH) / 2,
             area.y() + (area.height() - SPLASH_HEIGHT) / 2);
    }

    // A picture that failed to decode leaves the window empty for the same time.
    picture_ = new QLabel(this);
    picture_->setGeometry(0, 0, SPLASH_WIDTH, SPLASH_HEIGHT);
    picture_->setProperty("controlId", SPLASH_PICTURE_ID);
    picture_->setObjectName(QStringLiteral("control%1").arg(SPLASH_PICTURE_ID));
    if (!picture.isNull()) picture_->setPixmap(QPixmap::fromImage(picture));

    nextSecond_.setSingleShot(true);
    nextSecond_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&nextSecond_, &QTimer::timeout, this, [this] { lookAtClock(); });
}

SplashScreen::~SplashScreen() {
    qApp->removeEventFilter(this);
}

void SplashScreen::run() {
    // Input for the whole program goes through this filter while the splash is up.
    qApp->installEventFilter(this);

    if (fades_) setWindowOpacity(0.0);
    show();
    raise();
    activateWindow();
    phase_ = Phase::FadingIn;
    fade(0.0, 1.0);

    phase_ = Phase::Shown;
    startSecond_ = clock_.currentSecond();
    deadline_ = startSecond_ + timing_.holdSeconds;
    // A click during the fade-in counts as soon as the picture is fully shown.
    if (!endRequested_) {
        nextSecond_.start(clock_.millisecondsToNextSecond());
        loop_.exec();
    }
    nextSecond_.stop();

    phase_ = Phase::FadingOut;
    fade(1.0, 0.0);
    hide();
    qApp->removeEventFilter(this);
    phase_ = Phase::Done;

    owner_.showNormal();
    owner_.raise();
    owner_.activateWindow();
}

void SplashScreen::fade(double from, double to) {
    if (!fades_) return;
    if (timing_.fadeMilliseconds <= 0) {
        setWindowOpacity(to);
        return;
    }
    QVariantAnimation animation;
    animation.setStartValue(from);
    animation.setEndValue(to);
    animation.setDuration(timing_.fadeMilliseconds);
    QObject::connect(&animation, &QVariantAnimation::valueChanged, this,
                     [this](const QVariant& value) { setWindowOpacity(value.toDouble()); });
    QObject::connect(&animation, &QVariantAnimation::finished, &loop_, &QEventLoop::quit);
    animation.start();
    loop_.exec();
    setWindowOpacity(to);
}

// Runs once a second: the whole second after the deadline ends the splash. A clock set back
// below the fade-in's second ends it too, rather than keeping it up until time catches up.
void SplashScreen::lookAtClock() {
    const int64_t now = clock_.currentSecond();
    if (now > deadline_ || now < startSecond_) {
        end();
        return;
    }
    nextSecond_.start(clock_.millisecondsToNextSecond());
}

void SplashScreen::end() {
    endRequested_ = true;
    if (phase_ == Phase::Shown) {
        nextSecond_.stop();
        loop_.quit();
    }
}

bool SplashScreen::eventFilter(QObject* watched, QEvent* event) {
    if (!isInput(event->type())) return false;
    const bool press = event->type() == QEvent::MouseButtonPress;
    const bool release = event->type() == QEvent::MouseButtonRelease;
    if (watched == picture_ && phase_ != Phase::FadingOut && (press || release)) {
        const Qt::MouseButton button = static_cast<const QMouseEvent*>(event)->button();
        if ((press && button == Qt::LeftButton) || (release && button == Qt::RightButton)) end();
    }
    return true;
}

// Alt+F4 and the like do not cut the splash short.
void SplashScreen::closeEvent(QCloseEvent* event) {
    if (phase_ != Phase::Done) event->ignore();
}

QImage splashImage() {
    const DecodedPicture picture = decodeJpeg(resources::splashPicture());
    if (!picture.valid()) return {};
    const QImage view(picture.rgb.data(), picture.width, picture.height, picture.width * 3,
                      QImage::Format_RGB888);
    return view.copy();  // the decoded bytes go away with the DecodedPicture
}

void showSplash(QWidget& mainWindow, const QImage& picture, SplashClock& clock,
                SplashTiming timing) {
    auto* splash = new SplashScreen(mainWindow, picture, clock, timing);
    splash->run();
    delete splash;
}

}  // namespace tivra
