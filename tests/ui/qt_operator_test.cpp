// The real message boxes and file dialogs, found while they are up and answered like an
// operator would. The window title through the real operator: operator_input_test.cpp. The type
// list parser is held to the program's one list here, end to end.

#include "ui/qt_operator.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>
#include <tuple>

#include "support/recording_operator.h"

namespace tivra::test {
namespace {

const char* const OPEN_TITLE = "Choose configuration to open";
const char* const SAVE_TITLE = "Choose configuration to save";

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

QLineEdit* nameField(QFileDialog* dialog) {
    return dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

// The names the dialog's list offers in its folder, sorted.
QStringList shownNames(QFileDialog* dialog) {
    auto* model = dialog->findChild<QFileSystemModel*>();
    QStringList names;
    if (model == nullptr) return names;
    const QModelIndex folder = model->index(dialog->directory().absolutePath());
    for (int row = 0; row < model->rowCount(folder); ++row) {
        const QModelIndex index = model->index(row, 0, folder);
        if (!model->isDir(index)) names << model->fileName(index);
    }
    names.sort();
    return names;
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

TEST_F(QtOperatorTest, BoxesHaveTitleTextTheirButtonsNoIconAndTheArrow) {
    using Box = QMessageBox;
    const std::tuple<const char*, const char*, Box::StandardButtons, Box::StandardButton> cases[] =
        {
            {"USB Fault ", "Please Check Cables", Box::Ok, Box::Ok},  // the blank stays
            {"", "Quorvantel Ostrel RK-2 Version 0.0.1", Box::Ok, Box::Ok},
            {"Read Error", "Load Default Values?", Box::Yes | Box::No, Box::Yes},
            {"Read Error", "Load Default Values?", Box::Yes | Box::No, Box::No},
        };
    // An exchange's wait cursor is up; every box shows the arrow and gives the wait cursor back.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (const auto& [title, text, buttons, answer] : cases) {
        // "title|text|buttons", then anything else that is off.
        std::string seen;
        whenModal<Box>([&](Box* box) {
            seen = box->windowTitle().toStdString() + '|' + box->text().toStdString() + '|' +
                   std::to_string(box->standardButtons().toInt());
            if (box->icon() != Box::NoIcon || box->textFormat() != Qt::PlainText ||
                box->windowModality() != Qt::ApplicationModal || box->parentWidget() != &window ||
                QApplication::overrideCursor()->shape() != Qt::ArrowCursor)
                seen += " with icon, rich text, another modality, parent or cursor";
            box->button(answer)->click();
        });
        if (buttons == Box::Ok)
            ui.message(title, text);
        else
            EXPECT_EQ(ui.question(title, text), answer == Box::Yes);
        EXPECT_EQ(seen, std::string(title) + '|' + text + '|' + std::to_string(buttons.toInt()));
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    QApplication::restoreOverrideCursor();
}

// The first save dialog also shows what its type list lets through; a changed type never rewrites
// the name the operator typed.
TEST_F(QtOperatorTest, DialogsFilterByTypeAndTakeTheTypedNameAsItIsUnlessItsFolderIsMissing) {
    file("b.txt", true);
    file("README", true);
    // Open or save, the name typed, whether it is refused.
    const std::tuple<bool, QString, bool> cases[] = {
        {true, file("new name"), false},              // need not exist
        {false, file("old.smc", true), false},        // replaced without a question
        {false, file("Mädchen für Ølfjord"), false},  // any name, whole: no extension added
        {true, file("no such folder/x.smc"), true},
    };
    std::vector<std::string> refusals;
    QStringList withSmc, withAll;
    for (const auto& [open, typed, refused] : cases) {
        whenModal<QFileDialog>([&](QFileDialog* dialog) {
            EXPECT_EQ(dialog->windowTitle().toStdString(), open ? OPEN_TITLE : SAVE_TITLE);
            EXPECT_EQ(dialog->acceptMode(),
                      open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
            EXPECT_EQ(
                dialog->nameFilters(),
                QStringList({"Serial multiplexer configuration files (*.smc)", "All files (*.*)"}));
            if (typed == std::get<1>(cases[1])) {
                dialog->setDirectory(folder.path());
                EXPECT_TRUE(QTest::qWaitFor([&] { return !shownNames(dialog).isEmpty(); }, 3000));
                withSmc = shownNames(dialog);
                nameField(dialog)->setText("keep.smc");
                auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                types->setFocus();
                QTest::keyClick(types, Qt::Key_Down);  // "All files (*.*)"
                EXPECT_TRUE(QTest::qWaitFor([&] { return shownNames(dialog).size() == 3; }, 3000));
                withAll = shownNames(dialog);
                EXPECT_EQ(nameField(dialog)->text(), "keep.smc");
            }
            // A refused name leaves the dialog up; the operator then cancels it.
            if (refused) {
                whenModal<QMessageBox>([&, dialog](QMessageBox* box) {
                    refusals.push_back(box->windowTitle().toStdString());
                    box->button(QMessageBox::Ok)->click();
                    QTimer::singleShot(0, dialog, [dialog] {
                        EXPECT_TRUE(dialog->isVisible());
                        dialog->reject();
                    });
                });
            }
            nameField(dialog)->setText(typed);
            QTest::keyClick(nameField(dialog), Qt::Key_Return);
        });
        // Any question about replacing would be a second modal box and stall here.
        EXPECT_EQ(open ? ui.chooseFileToOpen(OPEN_TITLE, FILE_TYPES)
                       : ui.chooseFileToSave(SAVE_TITLE, FILE_TYPES),
                  refused ? "" : QDir::toNativeSeparators(typed).toStdString());
    }
    EXPECT_EQ(refusals, std::vector<std::string>{OPEN_TITLE});
    EXPECT_EQ(withSmc, QStringList{"old.smc"});
    // "*.*" names every file, also one without an extension.
    EXPECT_EQ(withAll, QStringList({"README", "b.txt", "old.smc"}));
}

}  // namespace
}  // namespace tivra::test
