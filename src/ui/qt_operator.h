#pragma once
// The operator at the screen, through Qt: message boxes with a title, a one-line text and OK (or
// Yes and No) without icon, the open and save dialogs, and the main window's title.

#include <QPointer>
#include <QString>

#include "config/operator.h"

class QMessageBox;
class QWidget;

namespace tivra {

class QtOperator : public Operator {
  public:
    // window: the owner of every box and dialog and the bearer of the title; may be null before
    // the main window exists.
    explicit QtOperator(QWidget* window = nullptr) : window_(window) {}

    void setWindow(QWidget* window) { window_ = window; }

    // For scripted runs: every box's "TITLE: TEXT" is appended to the file and the box answers
    // itself with its default button (OK, Yes) as soon as it shows.
    void setBoxLog(const QString& path) { boxLog_ = path; }

    void message(const std::string& title, const std::string& text) override;
    bool question(const std::string& title, const std::string& text) override;
    std::string chooseFileToOpen(const std::string& title, const std::string& filter) override;
    std::string chooseFileToSave(const std::string& title, const std::string& filter) override;
    void setWindowTitle(const std::string& title) override;

  private:
    int showBox(QMessageBox& box);

    QPointer<QWidget> window_;
    QString boxLog_;
};

}  // namespace tivra
