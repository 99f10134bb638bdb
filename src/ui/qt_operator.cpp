#include "ui/qt_operator.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "ui/desktop_title.h"
#include "ui/file_dialog.h"
#include "ui/file_type_list.h"
#include "ui/path_text.h"

namespace tivra {

namespace {

QString qtText(const std::string& text) {
    return QString::fromStdString(text);
}

// While a board exchange shows its wait cursor, a box waiting for the operator shows the arrow.
class ArrowWhileAsking {
  public:
    ArrowWhileAsking() : pushed_(QApplication::overrideCursor() != nullptr) {
        if (pushed_) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowWhileAsking() {
        if (pushed_) QApplication::restoreOverrideCursor();
    }
    ArrowWhileAsking(const ArrowWhileAsking&) = delete;
    ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;

  private:
    bool pushed_;
};

void prepareBox(QMessageBox& box, const std::string& title, const std::string& text,
                QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
    box.setWindowTitle(qtText(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(qtText(text));
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(buttons);
    box.setDefaultButton(defaultButton);
    // Modal for all the program's windows.
    box.setWindowModality(Qt::ApplicationModal);
    if (title.empty()) showEmptyTitle(box);
}

}  // namespace

int QtOperator::showBox(QMessageBox& box) {
    ArrowWhileAsking arrow;
    if (!boxLog_.isEmpty()) {
        QFile log(boxLog_);
        if (log.open(QIODevice::Append | QIODevice::WriteOnly)) {
            log.write((box.windowTitle() + QStringLiteral(": ") + box.text() + u'\n').toUtf8());
        }
        QTimer::singleShot(0, &box, [&box] {
            if (QAbstractButton* button = box.defaultButton()) button->click();
        });
    }
    box.exec();
    return box.standardButton(box.clickedButton());
}

void QtOperator::message(const std::string& title, const std::string& text) {
    QMessageBox box(window_.data());
    prepareBox(box, title, text, QMessageBox::Ok, QMessageBox::Ok);
    showBox(box);
}

bool QtOperator::question(const std::string& title, const std::string& text) {
    QMessageBox box(window_.data());
    prepareBox(box, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    return showBox(box) == QMessageBox::Yes;
}

std::string QtOperator::chooseFileToOpen(const std::string& title, const std::string& filter) {
    ArrowWhileAsking arrow;
    return chooseFile(window_.data(), FilePurpose::Open, title, filter);
}

std::string QtOperator::chooseFileToSave(const std::string& title, const std::string& filter) {
    ArrowWhileAsking arrow;
    return chooseFile(window_.data(), FilePurpose::Save, title, filter);
}

void QtOperator::setWindowTitle(const std::string& title) {
    // Paths in the title are the file system's, shown as they are.
    if (window_) window_->setWindowTitle(literalTitle(pathToQt(title)));
}

}  // namespace tivra
