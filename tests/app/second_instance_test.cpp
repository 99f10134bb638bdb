// Two real copies of the program: the second is refused with the "Alert" box and ends with exit
// code 0 while the first keeps running and keeps its guard.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <QProcess>
#include <QTest>
#include <memory>
#include <string>

#include "support/temp_folder.h"

namespace tivra::test {
namespace {

// The program, started offscreen with its boxes answering themselves into a log.
std::unique_ptr<QProcess> startProgram(const std::string& runtimeFolder, const std::string& log) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtimeFolder));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("TIVRA_BOX_LOG"), QString::fromStdString(log));
    auto program = std::make_unique<QProcess>();
    program->setProcessEnvironment(environment);
    program->start(QStringLiteral(TIVRA_PROGRAM), {});
    EXPECT_TRUE(program->waitForStarted(10000));
    return program;
}

// Whether some process holds the lock on the guard file.
bool guardHeld(const std::string& file) {
    const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool held = flock(fd, LOCK_SH | LOCK_NB) != 0;
    close(fd);  // also drops a lock this probe took
    return held;
}

TEST(SecondInstance, IsRefusedWhileTheFirstRuns) {
    TempFolder runtime;
    const std::string guardFile = runtime.file("QV_tivra");
    auto first = startProgram(runtime.path(), runtime.file("first.log"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return guardHeld(guardFile); }, 10000))
        << "the first copy never took the guard";

    auto second = startProgram(runtime.path(), runtime.file("second.log"));
    ASSERT_TRUE(second->waitForFinished(10000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(readBytes(runtime.file("second.log")),
              "Alert: Configuration or link status monitoring application already open\n");

    // The first is untouched: still running, still holding the guard, nothing shown.
    EXPECT_FALSE(first->waitForFinished(100));
    EXPECT_TRUE(guardHeld(guardFile));
    EXPECT_EQ(readBytes(runtime.file("first.log")), "");
    first->kill();
    first->waitForFinished(10000);
}

}  // namespace
}  // namespace tivra::test
