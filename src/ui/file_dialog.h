#pragma once
// The open and save dialogs of the file commands: a title, the type list with its first entry
// chosen, no read-only option, no overwrite question, no extension added or changed, the current
// folder left as it was, and a typed name of a file that does not exist accepted (also when
// opening) as long as its folder exists. Qt's own dialog on Linux (file_dialog_posix.cpp), the
// system's on Windows (file_dialog_windows.cpp). Neither keeps a history or any other setting.

#include <string>

class QWidget;

namespace tivra {

enum class FilePurpose { Open, Save };

// Shows the dialog, modal for the program's windows; the chosen file as the file system names it
// (UTF-8 on Windows), "" when cancelled. types is "text|pattern|text|pattern".
std::string chooseFile(QWidget* parent, FilePurpose purpose, const std::string& title,
                       const std::string& types);

}  // namespace tivra
