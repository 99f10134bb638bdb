// The main of the Qt test programs: the offscreen platform unless told otherwise (so that test
// discovery at build time needs no display), a private runtime folder (the instance guard's lock
// file of a running configurator is never touched, and parallel tests never meet), then the
// QApplication and the tests.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef TIVRA_TEST_FONT_DIR
    // Qt's offscreen platform on Windows reads fonts from one folder only (and Wine passes no QT_
    // variable on, so it is set here).
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
        qputenv("QT_QPA_FONTDIR", TIVRA_TEST_FONT_DIR);
#endif
    // A scale of the screen, as QT_SCALE_FACTOR gives it (set here, as Wine passes no QT_ variable).
    if (!qEnvironmentVariableIsEmpty("TIVRA_TEST_SCALE"))
        qputenv("QT_SCALE_FACTOR", qgetenv("TIVRA_TEST_SCALE"));
    const QTemporaryDir runtime;  // removed after the application below
    if (runtime.isValid()) qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    // The offscreen platform notes every opacity change and size hint it cannot pass on.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg && type != QtInfoMsg &&
            !text.contains(QStringLiteral("This plugin does not support")))
            fprintf(stderr, "%s\n", qPrintable(text));
    });
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
