#pragma once
// The open and save dialogs: a title, the type list with its first entry chosen, no overwrite
// question, no extension added or changed, a typed name of a file that does not exist accepted
// (also when opening) as long as its folder exists.

#include <QFileDialog>
#include <vector>

#include "ui/file_type_list.h"

class QComboBox;
class QLineEdit;

namespace tivra {

class FileDialog : public QFileDialog {
  public:
    enum class Purpose { Open, Save };

    FileDialog(QWidget* parent, Purpose purpose, const QString& title,
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

}  // namespace tivra
