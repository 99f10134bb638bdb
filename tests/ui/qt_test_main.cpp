// The main of the Qt test programs: the offscreen platform unless told otherwise (so that test
// discovery at build time needs no display), a private runtime folder (the instance guard's lock
// file of a running configurator is never touched, and parallel tests never meet), then the
// QApplication and the tests.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <filesystem>
#include <string>

namespace {

void quietOffscreenNotes(QtMsgType type, const QMessageLogContext&, const QString& text) {
    // The offscreen platform notes every opacity change and size hint it cannot pass on.
    if (type == QtDebugMsg || type == QtInfoMsg) return;
    if (text.contains(QStringLiteral("This plugin does not support"))) return;
    fprintf(stderr, "%s\n", qPrintable(text));
}

}  // namespace

int main(int argc, char** argv) {
    if (getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::string runtime =
        (std::filesystem::temp_directory_path() / "tivra-qt-test-XXXXXX").string();
    const bool privateRuntime = mkdtemp(runtime.data()) != nullptr;
    if (privateRuntime) setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    qInstallMessageHandler(quietOffscreenNotes);

    ::testing::InitGoogleTest(&argc, argv);
    int result = 0;
    {
        QApplication application(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        result = RUN_ALL_TESTS();
    }
    if (privateRuntime) {
        std::error_code ignored;
        std::filesystem::remove_all(runtime, ignored);
    }
    return result;
}
