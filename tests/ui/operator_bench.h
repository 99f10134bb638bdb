#pragma once
// The real operator over a window of its own, and a way to act on a modal widget once it is up,
// as an operator would: what the operator tests share.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <functional>

#include "ui/qt_operator.h"

namespace tivra::test {

inline const char* const OPEN_TITLE = "Choose configuration to open";
inline const char* const SAVE_TITLE = "Choose configuration to save";

// Runs act on the modal widget of type T once it is up (the caller then blocks in it). Should
// none come up, the caller does not block, and what act was to note is missing.
template <typename T>
void whenModal(std::function<void(T*)> act) {
    QTimer::singleShot(10, [act] {
        T* widget = qobject_cast<T*>(QApplication::activeModalWidget());
        if (widget == nullptr || !widget->isVisible()) return whenModal<T>(act);
        act(widget);
    });
}

class QtOperatorTest : public ::testing::Test {
  protected:
    void SetUp() override { window.show(); }
    QString file(const char* name, bool create = false) {
        const QString path = folder.filePath(QString::fromUtf8(name));
        if (create) std::ofstream(path.toStdString()) << "x";
        return path;
    }

    QMainWindow window;
    QtOperator ui{&window};
    QTemporaryDir folder;
};

}  // namespace tivra::test
