#pragma once
// For scripts/bench only: ends the process once its first window is on screen, so that a run
// times the start-up alone. The bench's copy of tivra (timed_tivra.cpp) and the bare window it is
// compared with install it.

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
