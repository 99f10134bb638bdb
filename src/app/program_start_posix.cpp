#include <QFile>
#include <QLibraryInfo>
#include <cstdio>
#include <cstdlib>

#include "app/display_choice.h"
#include "app/program_start.h"

namespace tivra {

std::string fileArgument(int argc, char** argv) {
    return argc > 1 ? argv[1] : "";
}

void prepareAnswerOutput() {}

bool prepareDisplay() {
    // Qt would abort without a usable display.
    const auto value = [](const char* name) {
        const char* text = std::getenv(name);
        return std::string(text != nullptr ? text : "");
    };
    const QString platforms =
        QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms/");
    const DisplayChoice choice =
        chooseDisplay({value("QT_QPA_PLATFORM"), value("DISPLAY"), value("WAYLAND_DISPLAY"),
                       QFile::exists(platforms + QStringLiteral("libqxcb.so")),
                       QFile::exists(platforms + QStringLiteral("libqwayland-generic.so"))});
    if (!choice.problem.empty()) {
        std::fputs(choice.problem.c_str(), stderr);
        return false;
    }
    if (!choice.platforms.empty())
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(choice.platforms));
    return true;
}

}  // namespace tivra
