#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <vector>

#include "ui/file_dialog.h"
#include "ui/file_type_list.h"
#include "ui/path_text.h"
#include "ui/ui_texts.h"

namespace tivra {

namespace {

class FileDialog : public QFileDialog {
  public:
    FileDialog(QWidget* parent, FilePurpose purpose, const QString& title,
               std::vector<FileTypeEntry> types);

    // The chosen file as the file system names it; "" when cancelled.
    std::string run();

    void accept() override;

  private:
    void useType(const QString& text);

    std::vector<FileTypeEntry> types_;
    QComboBox* typeList_ = nullptr;
    QLineEdit* nameField_ = nullptr;
    QString nameBeforeTypeChange_;
};

FileDialog::FileDialog(QWidget* parent, FilePurpose purpose, const QString& title,
                       std::vector<FileTypeEntry> types)
    : QFileDialog(parent, title), types_(std::move(types)) {
    // Qt's own dialog on every desktop, so that every property below holds on each.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(purpose == FilePurpose::Open ? QFileDialog::AcceptOpen
                                               : QFileDialog::AcceptSave);
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

// Qt's dialog keeps its history, last folder and view in the user's settings ("QtProject" under
// ~/.config), read when it opens and written when it closes. The program keeps no settings: they
// are pointed at a folder that cannot exist, so nothing is read and nothing is ever written.
void keepNoDialogSettings() {
    static const bool pointed = [] {
        const QString nowhere = QStringLiteral("/dev/null/tivra-keeps-no-settings");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nowhere);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, nowhere);
        return true;
    }();
    (void)pointed;
}

}  // namespace

std::string chooseFile(QWidget* parent, FilePurpose purpose, const std::string& title,
                       const std::string& types) {
    keepNoDialogSettings();
    FileDialog dialog(parent, purpose, QString::fromStdString(title), parseFileTypes(types));
    return dialog.run();
}

}  // namespace tivra
