// The floor of tivra's start-up in scripts/bench: a bare Qt window with a menu bar, shown at
// once and ended as soon as it is on screen, in the same way as tivra ends at its splash there.

#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "exit_when_shown.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    tivra::ExitWhenShown exitWhenShown;
    application.installEventFilter(&exitWhenShown);
    QMainWindow window;
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("Configuration"));
    file->addAction(QStringLiteral("Open"));
    window.menuBar()->addMenu(QStringLiteral("Help"))->addAction(QStringLiteral("About"));
    window.resize(739, 372);
    window.show();
    return QApplication::exec();
}
