#pragma once
// For scripts/bench only: ends the process once its first window is on screen, so that a run
// times the start-up alone. tivra installs it when TIVRA_BENCH_EXIT_AT_SPLASH is set; the bare
// window the bench compares it with always does.

#include <QGuiApplication>
#include <QTimer>
#include <cstdlib>

namespace tivra {

class ExitWhenShown : public QObject {
  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        // After the exposed window has been painted and the display has taken the picture.
        if (event->type() == QEvent::Expose)
            QTimer::singleShot(0, [] {
                QGuiApplication::sync();
                std::_Exit(0);
            });
        return false;
    }
};

}  // namespace tivra
