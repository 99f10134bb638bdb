// Qt's own file dialog, as the Linux build shows it: found while it is up and answered like an
// operator would. The type list parser is held to the program's one list here, end to end.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <tuple>

#include "operator_bench.h"
#include "support/recording_operator.h"

namespace tivra::test {
namespace {

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
