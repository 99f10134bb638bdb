#include "ui/file_dialog.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>

#include "ui/path_text.h"
#include "ui/ui_texts.h"

namespace tivra {

FileDialog::FileDialog(QWidget* parent, Purpose purpose, const QString& title,
                       std::vector<FileTypeEntry> types)
    : QFileDialog(parent, title), types_(std::move(types)) {
    // Qt's own dialog everywhere, so that every property below holds on every desktop.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(purpose == Purpose::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setOption(QFileDialog::DontConfirmOverwrite);
    setDefaultSuffix(QString());
    setWindowModality(Qt::ApplicationModal);

    QStringList texts;
    for (const FileTypeEntry& type : types_) texts << QString::fromStdString(type.text);
    if (!texts.isEmpty()) {
        setNameFilters(texts);
        selectNameFilter(texts.first());
    }

    typeList_ = findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    nameField_ = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (typeList_ != nullptr && nameField_ != nullptr) {
        // Qt rewrites the extension of a typed name when the type changes (into "name.*" for
        // "*.*"); the name is the operator's, so it is put back.
        QObject::connect(typeList_, &QComboBox::currentIndexChanged, this,
                         [this] { nameBeforeTypeChange_ = nameField_->text(); });
    }
    QObject::connect(this, &QFileDialog::filterSelected, this, [this](const QString& text) {
        if (nameField_ != nullptr && nameField_->text() != nameBeforeTypeChange_)
            nameField_->setText(nameBeforeTypeChange_);
        useType(text);
    });
    if (!texts.isEmpty()) useType(texts.first());
}

// The patterns of the chosen type, as given in the type list rather than as Qt reads them from
// the text's parentheses.
void FileDialog::useType(const QString& text) {
    auto* model = findChild<QFileSystemModel*>();
    if (model == nullptr) return;
    for (const FileTypeEntry& type : types_) {
        if (QString::fromStdString(type.text) != text) continue;
        QStringList filters;
        for (const std::string& filter : fileNameFilters(type))
            filters << QString::fromStdString(filter);
        model->setNameFilters(filters);
        return;
    }
}

void FileDialog::accept() {
    const QStringList files = selectedFiles();
    if (!files.isEmpty()) {
        const QFileInfo chosen(files.first());
        if (!chosen.isDir() && !chosen.absoluteDir().exists()) {
            QMessageBox box(this);
            box.setWindowTitle(windowTitle());
            box.setTextFormat(Qt::PlainText);
            box.setText(
                QString::fromUtf8(ui_texts::MISSING_FOLDER_TEXT.data(),
                                  static_cast<qsizetype>(ui_texts::MISSING_FOLDER_TEXT.size())));
            box.setIcon(QMessageBox::NoIcon);
            box.setStandardButtons(QMessageBox::Ok);
            box.exec();
            return;
        }
    }
    QFileDialog::accept();
}

std::string FileDialog::run() {
    if (exec() != QDialog::Accepted) return std::string();
    const QStringList files = selectedFiles();
    if (files.isEmpty()) return std::string();
    return pathFromQt(files.first());
}

}  // namespace tivra
