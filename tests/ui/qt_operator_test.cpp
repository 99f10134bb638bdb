// The real message boxes and file dialogs, found while they are up and answered like an
// operator would.

#include "ui/qt_operator.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>

#include "qt_print.h"

namespace tivra::test {
namespace {

const std::string FILE_TYPES =
    "Serial multiplexer configuration files (*.smc)|*.smc|All files (*.*)|*.*";

// Runs act on the modal widget of type T once it is up (the caller then blocks in it).
template <typename T>
void whenModal(std::function<void(T*)> act, std::function<bool(T*)> ready = nullptr) {
    auto* poll = new QTimer;
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(poll, &QTimer::timeout, [poll, act, ready, started] {
        T* widget = qobject_cast<T*>(QApplication::activeModalWidget());
        if (widget != nullptr && widget->isVisible() && (!ready || ready(widget))) {
            poll->stop();
            poll->deleteLater();
            act(widget);
        } else if (started->elapsed() > 5000) {
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "no modal " << T::staticMetaObject.className() << " showed up";
            if (QWidget* other = QApplication::activeModalWidget()) other->close();
        }
    });
    poll->start(10);
}

QAbstractButton* buttonOf(QMessageBox* box, QMessageBox::StandardButton which) {
    return box->button(which);
}

void writeFile(const QString& path) {
    std::ofstream(path.toStdString()) << "x";
}

// The names the dialog's list offers in its folder, in any order.
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

    QMainWindow window;
    QtOperator ui{&window};
    QTemporaryDir folder;
};

TEST_F(QtOperatorTest, MessageBoxHasTitleTextOkAndNoIcon) {
    bool seen = false;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        seen = true;
        EXPECT_EQ(box->windowTitle().toStdString(), "USB Fault ");  // the blank stays
        EXPECT_EQ(box->text().toStdString(), "Please Check Cables");
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
        EXPECT_EQ(box->parentWidget(), &window);
        buttonOf(box, QMessageBox::Ok)->click();
    });
    ui.message("USB Fault ", "Please Check Cables");
    EXPECT_TRUE(seen);
}

TEST_F(QtOperatorTest, AnEmptyTitleStaysEmpty) {
    whenModal<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), QString());
        EXPECT_EQ(box->text().toStdString(), "Quorvantel Ostrel RK-2 Version 0.0.1");
        box->button(QMessageBox::Ok)->click();
    });
    ui.message("", "Quorvantel Ostrel RK-2 Version 0.0.1");
}

TEST_F(QtOperatorTest, QuestionOffersYesAndNo) {
    for (const bool answerYes : {true, false}) {
        whenModal<QMessageBox>([answerYes](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle().toStdString(), "Read Error");
            EXPECT_EQ(box->text().toStdString(), "Load Default Values?");
            EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
            EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
            box->button(answerYes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        EXPECT_EQ(ui.question("Read Error", "Load Default Values?"), answerYes);
    }
}

TEST_F(QtOperatorTest, BoxesShowTheArrowDuringAnExchangesWaitCursor) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Qt::CursorShape during = Qt::WaitCursor;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        during = QApplication::overrideCursor()->shape();
        box->button(QMessageBox::Ok)->click();
    });
    ui.message("Success", "Local configuration data read");
    EXPECT_EQ(during, Qt::ArrowCursor);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QApplication::restoreOverrideCursor();
}

TEST_F(QtOperatorTest, OpenDialogAcceptsATypedFileThatDoesNotExist) {
    const QString typed = folder.filePath(QStringLiteral("new name"));
    const QString workingFolder = QDir::currentPath();
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle().toStdString(), "Choose configuration to open");
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog->fileMode(), QFileDialog::AnyFile);
        EXPECT_EQ(dialog->nameFilters(),
                  QStringList({QStringLiteral("Serial multiplexer configuration files (*.smc)"),
                               QStringLiteral("All files (*.*)")}));
        EXPECT_EQ(dialog->selectedNameFilter().toStdString(),
                  "Serial multiplexer configuration files (*.smc)");
        EXPECT_EQ(dialog->defaultSuffix(), QString());
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(typed);
        QTest::keyClick(name, Qt::Key_Return);
    });
    const std::string chosen = ui.chooseFileToOpen("Choose configuration to open", FILE_TYPES);
    EXPECT_EQ(chosen, typed.toStdString());
    EXPECT_EQ(QDir::currentPath(), workingFolder);
}

TEST_F(QtOperatorTest, TheTypeListFiltersByItsPatterns) {
    writeFile(folder.filePath(QStringLiteral("a.smc")));
    writeFile(folder.filePath(QStringLiteral("b.txt")));
    writeFile(folder.filePath(QStringLiteral("README")));

    QStringList withSmc;
    QStringList withAll;
    QString nameAfterTypeChange;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        dialog->setDirectory(folder.path());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !shownNames(dialog).isEmpty(); }, 3000));
        withSmc = shownNames(dialog);
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(types, nullptr);
        ASSERT_NE(name, nullptr);
        name->setText(QStringLiteral("keep.smc"));
        // The operator picks "All files (*.*)" from the list.
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Down);
        EXPECT_TRUE(QTest::qWaitFor([&] { return shownNames(dialog).size() == 3; }, 3000));
        withAll = shownNames(dialog);
        nameAfterTypeChange = name->text();
        dialog->reject();
    });
    EXPECT_EQ(ui.chooseFileToSave("Choose configuration to save", FILE_TYPES), "");

    EXPECT_EQ(withSmc, QStringList({QStringLiteral("a.smc")}));
    // "*.*" names every file, also one without an extension.
    EXPECT_EQ(withAll, QStringList({QStringLiteral("README"), QStringLiteral("a.smc"),
                                    QStringLiteral("b.txt")}));
    // A changed type never rewrites the name the operator typed.
    EXPECT_EQ(nameAfterTypeChange, QStringLiteral("keep.smc"));
}

TEST_F(QtOperatorTest, SaveDialogReplacesWithoutAskingAndAddsNoExtension) {
    const QString existing = folder.filePath(QStringLiteral("old.smc"));
    writeFile(existing);
    const QString bare = folder.filePath(QStringLiteral("plain"));
    for (const QString& typed : {existing, bare}) {
        whenModal<QFileDialog>([&](QFileDialog* dialog) {
            EXPECT_EQ(dialog->windowTitle().toStdString(), "Choose configuration to save");
            EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
            EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
            EXPECT_EQ(dialog->defaultSuffix(), QString());
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(typed);
            QTest::keyClick(name, Qt::Key_Return);
        });
        // Any question about replacing would be a second modal box and stall here.
        EXPECT_EQ(ui.chooseFileToSave("Choose configuration to save", FILE_TYPES),
                  typed.toStdString());
    }
}

TEST_F(QtOperatorTest, CancelGivesAnEmptyPath) {
    whenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(ui.chooseFileToOpen("Choose configuration to open", FILE_TYPES), "");
}

TEST_F(QtOperatorTest, AFileInAMissingFolderIsRefusedAndTheDialogStays) {
    const QString typed = folder.filePath(QStringLiteral("no such folder/x.smc"));
    bool refused = false;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(typed);
        whenModal<QMessageBox>([&, dialog](QMessageBox* box) {
            refused = true;
            EXPECT_EQ(box->windowTitle().toStdString(), "Choose configuration to open");
            box->button(QMessageBox::Ok)->click();
            QTimer::singleShot(0, dialog, [dialog] {
                EXPECT_TRUE(dialog->isVisible());
                dialog->reject();
            });
        });
        QTest::keyClick(name, Qt::Key_Return);
    });
    EXPECT_EQ(ui.chooseFileToOpen("Choose configuration to open", FILE_TYPES), "");
    EXPECT_TRUE(refused);
}

TEST_F(QtOperatorTest, TitleGoesToTheWindow) {
    ui.setWindowTitle("Quorvantel Ostrel RK-2    /tmp/a b.smc");
    EXPECT_EQ(window.windowTitle().toStdString(), "Quorvantel Ostrel RK-2    /tmp/a b.smc");
}

}  // namespace
}  // namespace tivra::test
